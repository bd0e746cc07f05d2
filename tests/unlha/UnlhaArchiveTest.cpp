// The archiver as the editor calls it: libunlha.so loaded by name, a command line and a response
// file. What it writes is checked with lhasa, an independent LHA reader: it must list the expected
// entries with the expected methods, pass its CRC test and extract every file byte for byte.
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimeZone>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <sys/types.h>

#include "Lh5Encoder.h"
#include "TestEnvironment.h"
#include "platform/DiskSplit.h"
#include "platform/OutsideLibraries.h"
#include "unlha.h"

using namespace tarvel;
using tarvel::test::MakeTempFolder;
using tarvel::test::ReadFile;
using tarvel::test::WriteFile;

namespace {

struct Outcome {
    int code = -1;
    std::string message;
};

UnlhaLibrary::UnlhaFunction Archiver() {
    static UnlhaLibrary library;
    if (!library.IsLoaded()) library.Load(tarvel::test::BuildBinFolder());
    return library.Unlha();
}

Outcome RunUnlha(const QString& commandLine) {
    auto unlha = Archiver();
    if (!unlha) {
        ADD_FAILURE() << "libunlha.so did not load";
        return {};
    }
    char buffer[1024];
    QByteArray line = commandLine.toUtf8();
    Outcome outcome;
    outcome.code = unlha(nullptr, line.constData(), buffer, sizeof buffer);
    outcome.message = buffer;
    return outcome;
}

// The editor's command line.
QString GameDiskCommand(const QString& archive, const QString& response) {
    return "a -+ -r2 -d \"" + archive + "\" @" + response;
}

void WriteResponse(const QString& path, const QStringList& lines) {
    WriteFile(path, lines.join("\r\n").toUtf8());
}

tarvel::test::ProcessResult Lhasa(const QStringList& arguments) {
    QString program = QStandardPaths::findExecutable("lhasa");
    if (program.isEmpty()) ADD_FAILURE() << "lhasa is not installed (scripts/install-deps.sh installs it)";
    return tarvel::test::RunProgram(program, arguments);
}

// Archive path -> method, from lhasa's verbose listing.
std::map<QString, QString> ListArchive(const QString& archive) {
    auto result = Lhasa({"v", archive});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    static const QRegularExpression row(R"((-lh[0-9a-z]-)\s+[0-9a-f]{4}\s+\w{3}\s+\d+\s+[\d:]+\s+(.+)$)");
    std::map<QString, QString> entries;
    for (const QString& line : QString::fromUtf8(result.out).split('\n')) {
        auto match = row.match(line);
        if (!match.hasMatch()) continue;
        EXPECT_TRUE(entries.emplace(match.captured(2), match.captured(1)).second)
            << "listed twice: " << match.captured(2).toStdString();
    }
    return entries;
}

// Tests every CRC and extracts into a new folder.
QString ExtractArchive(const QString& archive) {
    auto test = Lhasa({"t", archive});
    EXPECT_EQ(test.exitCode, 0) << test.out.toStdString() << test.err.toStdString();
    QString folder = MakeTempFolder("extracted");
    auto result = Lhasa({"xfw=" + folder, archive});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return folder;
}

// Relative path -> contents for files, "<folder>" for folders.
std::map<QString, QByteArray> TreeOf(const QString& folder) {
    std::map<QString, QByteArray> tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QString path = it.next();
        QString relative = QDir(folder).relativeFilePath(path);
        tree[relative] = it.fileInfo().isDir() ? QByteArray("<folder>") : ReadFile(path);
    }
    return tree;
}

QByteArray RandomBytes(int size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(random.bounded(256));
    return bytes;
}

QByteArray Text(int size, quint32 seed) {
    static const char* words[] = {"the ",    "hero ",   "walks ",  "into ", "a ",      "dark ",    "cave\n",
                                  "and ",    "finds ",  "gold, ",  "then ", "fights ", "slimes. ", "Map0001 ",
                                  "switch ", "event\n", "potion ", "lost ", "sword ",  "of ",      "light. "};
    QRandomGenerator random(seed);
    QByteArray text;
    while (text.size() < size)
        text += words[random.bounded(int(std::size(words)))];
    return text.left(size);
}

// A prefix of a de Bruijn sequence over 64 letters: no three bytes repeat anywhere in the first
// 262144, so the encoder finds no match and writes exactly one code per byte, yet 64 letters
// still pack into 6 bits each.
QByteArray LiteralsOnly(int size) {
    const int k = 64, n = 3;
    std::vector<int> a(k * n, 0);
    QByteArray sequence;
    std::function<void(int, int)> build = [&](int t, int p) {
        if (sequence.size() >= size) return;
        if (t > n) {
            if (n % p == 0)
                for (int j = 1; j <= p; ++j)
                    sequence += static_cast<char>(0x20 + a[j]);
            return;
        }
        a[t] = a[t - p];
        build(t + 1, p);
        for (int j = a[t - p] + 1; j < k; ++j) {
            a[t] = j;
            build(t + 1, t);
        }
    };
    build(1, 1);
    return sequence.left(size);
}

void SetModeAndTime(const QString& path, QFile::Permissions permissions, const QDateTime& time) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
    file.close();
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
}

} // namespace

TEST(UnlhaArchive, EveryKindOfContentComesBackByteForByte) {
    const int block = static_cast<int>(unlha::kBlockCodes);
    const int window = static_cast<int>(unlha::kDictionarySize);
    struct Case {
        QString name;
        QByteArray bytes;
        QString method;
    };
    std::vector<Case> cases = {
        {"random.bin", RandomBytes(100000, 1), "-lh0-"},
        {"text.txt", Text(300000, 2), "-lh5-"},
        {"empty.dat", {}, "-lh0-"},
        {"one.dat", "x", "-lh0-"},
        {"three.dat", "abc", "-lh0-"},
        {"zeros.dat", QByteArray(100000, '\0'), "-lh5-"},
        // A whole block, one code more (a block of a single code), two blocks, and 64 KiB.
        {"literals-block-1.dat", LiteralsOnly(block - 1), "-lh5-"},
        {"literals-block.dat", LiteralsOnly(block), "-lh5-"},
        {"literals-block+1.dat", LiteralsOnly(block + 1), "-lh5-"},
        {"literals-2blocks.dat", LiteralsOnly(2 * block), "-lh5-"},
        {"literals-65535.dat", LiteralsOnly(65535), "-lh5-"},
        {"literals-65536.dat", LiteralsOnly(65536), "-lh5-"},
        // Random data repeated at the far edge of the dictionary, and just beyond it.
        {"window-1.dat", RandomBytes(window - 1, 3).repeated(3), "-lh5-"},
        {"window.dat", RandomBytes(window, 4).repeated(3), "-lh5-"},
        {"window+1.dat", RandomBytes(window + 1, 5).repeated(3), "-lh0-"},
    };
    // A 210-byte name makes a header of exactly 256 bytes, padded by one byte that readers skip.
    cases.push_back({QString(206, 'n') + ".dat", "padded header", "-lh0-"});
    QByteArray mixed;
    for (int i = 0; i < 12; ++i)
        mixed += Text(40000, 10 + i) + RandomBytes(20000, 30 + i) + QByteArray(5000, char(i)) +
                 LiteralsOnly(30000);
    cases.push_back({"mixed.bin", mixed, "-lh5-"});

    QString source = MakeTempFolder("source");
    QStringList response{"\"" + source + "/\""};
    for (const Case& c : cases) {
        WriteFile(source + "/" + c.name, c.bytes);
        response << c.name;
    }
    QString staging = MakeTempFolder("staging");
    WriteResponse(staging + "/Response.lst", response);
    Outcome outcome = RunUnlha(GameDiskCommand(staging + "/Game.lzh", staging + "/Response.lst"));
    ASSERT_EQ(outcome.code, UNLHA_OK) << outcome.message;
    EXPECT_NE(outcome.message.find(std::to_string(cases.size()) + " files and 0 folders"), std::string::npos)
        << outcome.message;

    auto listed = ListArchive(staging + "/Game.lzh");
    EXPECT_EQ(listed.size(), cases.size());
    QString extracted = ExtractArchive(staging + "/Game.lzh");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(listed[c.name], c.method);
        EXPECT_TRUE(ReadFile(extracted + "/" + c.name) == c.bytes);
        EXPECT_EQ(QFileInfo(extracted + "/" + c.name).size(), c.bytes.size());
    }
}

TEST(UnlhaArchive, NestedFoldersKeepTheirPathsEmptyFoldersPermissionsAndTimes) {
    QString base = MakeTempFolder("base");
    WriteFile(base + "/Deep/A/B/C/D/E/leaf.txt", Text(5000, 7));
    WriteFile(base + "/Deep/with space/file name.txt", "spaced");
    WriteFile(base + "/Deep/Ünïcode/Über.txt", Text(100, 8));
    WriteFile(base + "/Deep/.hidden", "hidden files belong to the folder too");
    QDir().mkpath(base + "/Deep/Empty");
    const QDateTime stamp(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
    SetModeAndTime(base + "/Deep/A/B/C/D/E/leaf.txt", QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup,
                   stamp);
    SetModeAndTime(base + "/Deep/with space/file name.txt",
                   QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                       QFile::ExeOther,
                   stamp.addYears(20));

    QString staging = MakeTempFolder("staging");
    WriteResponse(staging + "/Response.lst", {"\"" + base + "\"", "Deep"}); // base without a trailing "/"
    Outcome outcome = RunUnlha(GameDiskCommand(staging + "/Nested.lzh", staging + "/Response.lst"));
    ASSERT_EQ(outcome.code, UNLHA_OK) << outcome.message;

    // (lhasa lists names outside ASCII with "?"; the extracted tree shows them whole.)
    auto listed = ListArchive(staging + "/Nested.lzh");
    for (const char* folder : {"Deep/", "Deep/A/B/C/D/E/", "Deep/Empty/", "Deep/with space/"})
        EXPECT_EQ(listed[QString::fromUtf8(folder)], "-lhd-") << folder;
    QString extracted = ExtractArchive(staging + "/Nested.lzh");
    EXPECT_EQ(TreeOf(extracted), TreeOf(base));
    for (const char* file : {"/Deep/A/B/C/D/E/leaf.txt", "/Deep/with space/file name.txt"}) {
        SCOPED_TRACE(file);
        QFileInfo original(base + file), copy(extracted + file);
        EXPECT_EQ(copy.permissions(), original.permissions());
        EXPECT_EQ(copy.lastModified().toSecsSinceEpoch(), original.lastModified().toSecsSinceEpoch());
    }
}

// The response file of "Make Game disk...": the runtime package's material first when it is
// included, then the project, then the runtime package's sound library.
TEST(UnlhaArchive, GameDiskLayoutWithAndWithoutTheRuntimePackage) {
    const QStringList materialFolders{"Backdrop", "Battle",  "CharSet", "ChipSet", "FaceSet",
                                      "GameOver", "Monster", "Movie",   "Music",   "Panorama",
                                      "Picture",  "Sound",   "System",  "Title"};
    QString project = MakeTempFolder("Quest") + "/";
    QString rtp = MakeTempFolder("rtp") + "/";
    for (const QString& folder : materialFolders) {
        QDir().mkpath(project + folder);
        QDir().mkpath(rtp + folder);
    }
    WriteFile(project + "ChipSet/World.png", RandomBytes(30000, 20));
    WriteFile(project + "Music/Theme.wav", RandomBytes(70000, 21));
    WriteFile(project + "CharSet/Hero.xyz", Text(9000, 22));
    for (const char* name :
         {"QUORIN.exe", "QUORIN.qdb", "QUORIN.ini", "QUORIN.qmt", "Map0001.qmu", "Map0002.qmu"})
        WriteFile(project + name, Text(3000, static_cast<quint32>(qHash(QString(name)))));
    // Not on the list: other map-like names and the user's own notes stay out of the game disk.
    for (const char* name : {"Map1.qmu", "Map00001.qmu", "Map0001.qmu.bak", "Notes.txt"})
        WriteFile(project + name, "x");
    WriteFile(rtp + "Music/Theme.wav", "the runtime package's own theme, replaced by the project's");
    WriteFile(rtp + "Music/Battle.wav", RandomBytes(40000, 23));
    WriteFile(rtp + "System/System.png", RandomBytes(2000, 24));
    WriteFile(rtp + "Consort.dll", RandomBytes(5000, 25));
    WriteFile(rtp + "NotListed.txt", "x");

    for (bool includeRtp : {false, true}) {
        SCOPED_TRACE(includeRtp ? "with the runtime package" : "project only");
        QStringList response;
        if (includeRtp) response << "\"" + rtp + "\"" << materialFolders;
        response << "\"" + project + "\"" << materialFolders << "QUORIN.exe"
                 << "QUORIN.qdb"
                 << "QUORIN.ini"
                 << "QUORIN.qmt"
                 << "Map????.qmu";
        if (includeRtp)
            response << "\"" + rtp + "\""
                     << "Consort.dll";
        QString staging = MakeTempFolder("GameDisk");
        WriteResponse(staging + "/Response.lst", response);
        auto projectBefore = TreeOf(project), rtpBefore = TreeOf(rtp);

        Outcome outcome = RunUnlha(GameDiskCommand(staging + "/Quest.lzh", staging + "/Response.lst"));
        ASSERT_EQ(outcome.code, UNLHA_OK) << outcome.message;

        std::map<QString, QByteArray> expected;
        if (includeRtp) {
            for (const auto& [path, bytes] : rtpBefore)
                if (path != "NotListed.txt") expected[path] = bytes;
        }
        for (const auto& [path, bytes] : projectBefore) {
            if (path == "Map1.qmu" || path == "Map00001.qmu" || path == "Map0001.qmu.bak" ||
                path == "Notes.txt")
                continue;
            expected[path] = bytes;
        }
        QString extracted = ExtractArchive(staging + "/Quest.lzh");
        EXPECT_EQ(TreeOf(extracted), expected);
        EXPECT_EQ(ListArchive(staging + "/Quest.lzh").size(), expected.size()); // each name once
        // Nothing of the user's is moved or deleted, and no temporary file is left behind.
        EXPECT_EQ(TreeOf(project), projectBefore);
        EXPECT_EQ(TreeOf(rtp), rtpBefore);
        EXPECT_EQ(QDir(staging).entryList(QDir::Files | QDir::Hidden),
                  QStringList({"Quest.lzh", "Response.lst"}));
    }
}

TEST(UnlhaArchive, RecursionSwitchesDecideWhatFoldersAndPatternsGive) {
    QString base = MakeTempFolder("tree");
    WriteFile(base + "/Top/a.txt", "a");
    WriteFile(base + "/Top/Sub/b.txt", "b");
    WriteFile(base + "/Top/Sub/b.dat", "not a text");
    WriteFile(base + "/c.TXT", "c");
    WriteFile(base + "/Other/d.txt", "d");
    QString response = MakeTempFolder("response") + "/Response.lst";
    WriteResponse(response, {"\"" + base + "\"", "Top", "*.txt"});
    struct Case {
        QString switches;
        QStringList names;
    } cases[] = {
        {"-r0 -d", {"Top/", "Top/a.txt", "c.TXT"}},
        {"-r1 -d",
         {"Top/", "Top/a.txt", "Top/Sub/", "Top/Sub/b.dat", "Top/Sub/b.txt", "c.TXT", "Other/d.txt"}},
        {"-r2 -d", {"Top/", "Top/a.txt", "Top/Sub/", "Top/Sub/b.dat", "Top/Sub/b.txt", "c.TXT"}},
        {"-r2", {"Top/a.txt", "Top/Sub/b.dat", "Top/Sub/b.txt", "c.TXT"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.switches.toStdString());
        QString archive = MakeTempFolder("out") + "/R.lzh";
        Outcome outcome = RunUnlha("a " + c.switches + " \"" + archive + "\" @" + response);
        ASSERT_EQ(outcome.code, UNLHA_OK) << outcome.message;
        QStringList listed;
        for (const auto& entry : ListArchive(archive))
            listed << entry.first;
        QStringList expected = c.names;
        expected.sort();
        EXPECT_EQ(listed, expected);
    }
}

// The failures the editor can meet, each with its code and a message that says what went wrong;
// none of them leaves an archive or a temporary file behind.
TEST(UnlhaFailures, CodesAndMessages) {
    QString base = MakeTempFolder("base");
    WriteFile(base + "/Data/file.txt", "data");
    ASSERT_EQ(::mkfifo((base + "/pipe").toUtf8().constData(), 0644), 0);
    QFile::link(base + "/gone.txt", base + "/dangling.txt");
    QString out = MakeTempFolder("out");
    QString archive = out + "/A.lzh";
    auto response = [&](const QString& name, const QStringList& lines) {
        QString path = MakeTempFolder("resp") + "/" + name;
        WriteResponse(path, lines);
        return path;
    };
    QString good = response("good.lst", {"\"" + base + "\"", "Data"});
    struct Case {
        const char* what;
        QString commandLine;
        int code;
        QString message;
    } cases[] = {
        {"empty command line", "", UNLHA_ERROR_COMMAND_LINE, "Unlha: no command given"},
        {"blanks only", "  \t ", UNLHA_ERROR_COMMAND_LINE, "Unlha: no command given"},
        {"extract command", "x \"" + archive + "\" @" + good, UNLHA_ERROR_COMMAND_LINE,
         "Unlha: unknown command \"x\" (only \"a\", create an archive, is supported)"},
        {"move command", "m \"" + archive + "\" @" + good, UNLHA_ERROR_COMMAND_LINE,
         "Unlha: unknown command \"m\""},
        {"unknown switch", "a -+ -r2 -q \"" + archive + "\" @" + good, UNLHA_ERROR_COMMAND_LINE,
         "Unlha: unknown switch \"-q\""},
        {"unterminated quote", "a -r2 -d \"" + archive + " @" + good, UNLHA_ERROR_COMMAND_LINE,
         "Unlha: unterminated quote in the command line"},
        {"no archive", "a -+ -r2 -d", UNLHA_ERROR_COMMAND_LINE, "Unlha: no archive name given"},
        {"no sources", "a -r2 \"" + archive + "\"", UNLHA_ERROR_COMMAND_LINE, "Unlha: nothing to archive"},
        {"empty response name", "a \"" + archive + "\" @", UNLHA_ERROR_COMMAND_LINE, "Unlha: \"@\" without"},
        {"missing response file", GameDiskCommand(archive, base + "/none.lst"), UNLHA_ERROR_RESPONSE_FILE,
         "Unlha: cannot read response file \"" + base + "/none.lst\": No such file or directory"},
        {"response file is a folder", GameDiskCommand(archive, base), UNLHA_ERROR_RESPONSE_FILE,
         "Unlha: cannot read response file \"" + base + "\": not a regular file"},
        {"response file is a pipe", GameDiskCommand(archive, base + "/pipe"), UNLHA_ERROR_RESPONSE_FILE,
         "not a regular file"},
        {"entry leaving its base",
         GameDiskCommand(archive, response("up.lst", {"\"" + base + "\"", "../escape"})),
         UNLHA_ERROR_RESPONSE_FILE, "up.lst\", line 2: \"../escape\" leaves its base folder"},
        {"absolute entry",
         GameDiskCommand(archive, response("abs.lst", {"\"" + base + "\"", "", "/etc/passwd"})),
         UNLHA_ERROR_RESPONSE_FILE, "abs.lst\", line 3: \"/etc/passwd\" is not relative to its base folder"},
        {"unterminated base", GameDiskCommand(archive, response("quote.lst", {"\"" + base, "Data"})),
         UNLHA_ERROR_RESPONSE_FILE, "quote.lst\", line 1: unterminated quote"},
        {"missing folder",
         GameDiskCommand(archive, response("missing.lst", {"\"" + base + "\"", "Data", "Nothing"})),
         UNLHA_ERROR_SOURCE, "Unlha: cannot find \"" + base + "/Nothing\": No such file or directory"},
        {"missing base folder",
         GameDiskCommand(archive, response("nobase.lst", {"\"" + base + "/NoBase/\"", "Map????.qmu"})),
         UNLHA_ERROR_SOURCE, "Unlha: cannot find folder \"" + base + "/NoBase/\": No such file or directory"},
        {"dangling link",
         GameDiskCommand(archive, response("link.lst", {"\"" + base + "\"", "dangling.txt"})),
         UNLHA_ERROR_SOURCE, "Unlha: cannot find \"" + base + "/dangling.txt\""},
        {"pipe named", GameDiskCommand(archive, response("pipe.lst", {"\"" + base + "\"", "pipe"})),
         UNLHA_ERROR_SOURCE, "Unlha: \"" + base + "/pipe\" is neither a file nor a folder"},
        {"archive folder missing", GameDiskCommand(out + "/missing/A.lzh", good), UNLHA_ERROR_ARCHIVE,
         "Unlha: cannot write archive \"" + out + "/missing/A.lzh\": No such file or directory"},
        {"archive name is a folder", GameDiskCommand(base + "/Data", good), UNLHA_ERROR_ARCHIVE,
         "Unlha: \"" + base + "/Data\" already exists"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Outcome outcome = RunUnlha(c.commandLine);
        EXPECT_EQ(outcome.code, c.code) << outcome.message;
        EXPECT_NE(outcome.message.find(c.message.toStdString()), std::string::npos) << outcome.message;
        EXPECT_TRUE(QDir(out).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }
    EXPECT_EQ(TreeOf(base + "/Data").size(), 1u); // the archive-named-as-a-folder case changed nothing

    // An archive that exists already is left exactly as it is.
    WriteFile(archive, "the user's own archive");
    Outcome outcome = RunUnlha(GameDiskCommand(archive, good));
    EXPECT_EQ(outcome.code, UNLHA_ERROR_ARCHIVE);
    EXPECT_EQ(outcome.message,
              "Unlha: \"" + archive.toStdString() +
                  "\" already exists; adding to an existing archive is not supported, nothing "
                  "was changed");
    EXPECT_EQ(ReadFile(archive), QByteArray("the user's own archive"));
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"A.lzh"}));
}

TEST(UnlhaFailures, NullCommandLineAndOddBytesAreRefusedWithoutACrash) {
    auto unlha = Archiver();
    ASSERT_NE(unlha, nullptr);
    char buffer[256];
    EXPECT_EQ(unlha(nullptr, nullptr, buffer, sizeof buffer), UNLHA_ERROR_COMMAND_LINE);
    EXPECT_STREQ(buffer, "Unlha: no command line given");
    EXPECT_EQ(unlha(nullptr, nullptr, nullptr, 0), UNLHA_ERROR_COMMAND_LINE);
    for (const char* line : {"\"", "a \"\"", "a @@@", "\xff\xfe\x01", "a - @x", "a -\"\" \"", "@ a x"}) {
        SCOPED_TRACE(line);
        EXPECT_NE(unlha(nullptr, line, buffer, sizeof buffer), UNLHA_OK);
        EXPECT_EQ(std::strncmp(buffer, "Unlha: ", 7), 0) << buffer;
    }
}

// The message is cut to the buffer, always zero-terminated, and nothing is written past it.
TEST(UnlhaOutput, MessageRespectsTheBufferSize) {
    auto unlha = Archiver();
    ASSERT_NE(unlha, nullptr);
    const std::string full = "Unlha: no command given";
    for (unsigned long size : {1ul, 2ul, 10ul, static_cast<unsigned long>(full.size()), 4096ul}) {
        SCOPED_TRACE(size);
        std::vector<char> buffer(size + 16, '#');
        EXPECT_EQ(unlha(nullptr, "", buffer.data(), size), UNLHA_ERROR_COMMAND_LINE);
        EXPECT_EQ(std::string(buffer.data()), full.substr(0, size - 1));
        for (size_t i = size; i < buffer.size(); ++i)
            EXPECT_EQ(buffer[i], '#') << i;
    }
    char untouched = '#';
    EXPECT_EQ(unlha(nullptr, "", &untouched, 0), UNLHA_ERROR_COMMAND_LINE);
    EXPECT_EQ(untouched, '#');
}

TEST(UnlhaLibraryFile, ExportsOnlyTheEntryPoint) {
    auto result = tarvel::test::RunProgram(
        "nm", {"-D", "--defined-only", tarvel::test::BuildBinFolder() + "/libunlha.so"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    QStringList symbols;
    for (const QString& line : QString::fromUtf8(result.out).split('\n', Qt::SkipEmptyParts))
        symbols << line.section(' ', -1);
    EXPECT_EQ(symbols, QStringList({"Unlha"}));
}

// The archive is an ordinary file with the usual permissions, so the disk splitter and the copy
// that follows treat it like any other; its pieces join back into the same bytes.
TEST(UnlhaArchive, ArchiveIsAPlainFileThatSplitsForFloppies) {
    QString base = MakeTempFolder("big");
    WriteFile(base + "/Movie/intro.avi", RandomBytes(1500000, 40));
    QString staging = MakeTempFolder("GameDisk");
    WriteResponse(staging + "/Response.lst", {"\"" + base + "\"", "Movie"});
    Outcome outcome = RunUnlha(GameDiskCommand(staging + "/Big.lzh", staging + "/Response.lst"));
    ASSERT_EQ(outcome.code, UNLHA_OK) << outcome.message;

    QFileInfo info(staging + "/Big.lzh");
    EXPECT_TRUE(info.isFile());
    EXPECT_FALSE(info.isSymLink());
    mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat st {};
    ASSERT_EQ(::stat(info.filePath().toUtf8().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0666u & ~mask);

    int pieces = SplitFileForDisks(info.filePath().toStdString(), staging.toStdString(), 640000, 1440000);
    EXPECT_EQ(pieces, 2);
    QByteArray joined = ReadFile(staging + "/Big.001") + ReadFile(staging + "/Big.002");
    EXPECT_EQ(ReadFile(staging + "/Big.001").size(), 640000);
    EXPECT_TRUE(joined == ReadFile(info.filePath()));
}
