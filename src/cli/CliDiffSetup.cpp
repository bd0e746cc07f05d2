// tarvel-cli diff-setup [REPO]: makes git show database, map-tree and map files as their JSON and
// merge them by record, so a project kept in git has readable diffs and branches that join. It
// sets a textconv driver "tarvel" that runs this program's dump and a merge driver "tarvel" that
// runs its merge, and marks the three kinds of file with both in the repository's .gitattributes.
#include <QCoreApplication>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <utility>

#include "CliCommon.h"
#include "records/Stream.h"

namespace tarvel::cli {

namespace {

const char* const kUsage = "diff-setup [REPO]";
const char* const kPatterns[] = {"*.qdb", "*.qmt", "*.qmu"};
const char* const kAttributes[] = {"diff=tarvel", "merge=tarvel"};

std::string runGit(const QStringList& arguments) {
    QProcess git;
    git.start("git", arguments);
    if (!git.waitForStarted(10000)) throw CommandError("diff-setup", "cannot run git");
    git.waitForFinished(30000);
    if (git.exitStatus() != QProcess::NormalExit || git.exitCode() != 0)
        throw CommandError("diff-setup",
                           "git " + arguments.join(' ').toStdString() + ": " +
                               QString::fromLocal8Bit(git.readAllStandardError()).trimmed().toStdString());
    return QString::fromLocal8Bit(git.readAllStandardOutput()).trimmed().toStdString();
}

// The shell word for a path: git runs the textconv command through the shell.
std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

int runDiffSetup(Arguments& args) {
    auto words = args.positionalAtLeast(0);
    if (words.size() > 1) throw UsageError(kUsage);
    QString repo = words.empty() ? QString(".") : QString::fromStdString(words[0]);
    std::string top = runGit({"-C", repo, "rev-parse", "--show-toplevel"});
    std::string program = QCoreApplication::applicationFilePath().toStdString();
    std::string textconv = shellQuoted(program) + " dump";
    std::string driver = shellQuoted(program) + " merge %O %A %B -o %A";
    for (const auto& [key, value] : {std::pair<const char*, std::string>{"diff.tarvel.textconv", textconv},
                                     {"merge.tarvel.name", "Tarvel project files, by record and field"},
                                     {"merge.tarvel.driver", driver}})
        runGit({"-C", QString::fromStdString(top), "config", key, QString::fromStdString(value)});

    std::string attributesPath = top + "/.gitattributes";
    std::vector<std::string> lines;
    {
        std::ifstream in(attributesPath);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
    }
    // A pattern's line that already names one of the drivers gets the other; a pattern without
    // one gets a line of its own at the end, after anything that would override it.
    bool changed = false;
    for (const char* pattern : kPatterns) {
        bool found = false;
        for (std::string& line : lines) {
            std::istringstream words(line);
            std::vector<std::string> attributes;
            for (std::string word; words >> word;)
                attributes.push_back(word);
            if (attributes.empty() || attributes[0] != pattern) continue;
            auto has = [&](const char* a) {
                return std::find(attributes.begin(), attributes.end(), a) != attributes.end();
            };
            if (!has(kAttributes[0]) && !has(kAttributes[1])) continue;
            found = true;
            for (const char* attribute : kAttributes)
                if (!has(attribute)) {
                    // Before the carriage return of a file written on Windows.
                    size_t end = !line.empty() && line.back() == '\r' ? line.size() - 1 : line.size();
                    line.insert(end, std::string(" ") + attribute);
                    changed = true;
                }
        }
        if (!found) {
            lines.push_back(std::string(pattern) + " " + kAttributes[0] + " " + kAttributes[1]);
            changed = true;
        }
    }
    if (changed) {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        try {
            WriteFileAtomically(attributesPath, reinterpret_cast<const uint8_t*>(text.data()), text.size());
        } catch (const std::exception&) {
            throw CommandError("diff-setup", "cannot write " + attributesPath);
        }
    }
    std::printf("git in %s now shows *.qdb, *.qmt and *.qmu files as JSON (textconv \"%s\") and merges "
                "them by record and field (driver \"%s\")\n",
                top.c_str(), textconv.c_str(), driver.c_str());
    return 0;
}

const Command kDiffSetupCommand{"diff-setup", kUsage, runDiffSetup};
const RegisterCommand kRegistered{kDiffSetupCommand};

} // namespace

} // namespace tarvel::cli
