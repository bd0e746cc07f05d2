// The archiver's command line, response file and wildcards, without touching any file.
#include <gtest/gtest.h>

#include "CommandLine.h"
#include "SourceCollector.h"
#include "UnlhaError.h"

using namespace tarvel::unlha;

TEST(UnlhaCommandLine, SwitchesArchiveAndSources) {
    struct Case {
        std::string text;
        std::string archive;
        std::vector<std::string> responses;
        std::vector<std::string> names;
        Recursion recursion;
        bool storeFolders;
    } cases[] = {
        {"a -+ -r2 -d \"/tmp/Game Disk/My Game.lzh\" @/tmp/Game Disk/Response.lst",
         "/tmp/Game Disk/My Game.lzh",
         {"/tmp/Game"},
         {"Disk/Response.lst"},
         Recursion::Folders,
         true},
        {"a -+ -r2 -d \"/tmp/Game Disk/My Game.lzh\" \"@/tmp/Game Disk/Response.lst\"",
         "/tmp/Game Disk/My Game.lzh",
         {"/tmp/Game Disk/Response.lst"},
         {},
         Recursion::Folders,
         true},
        {"A -R1 -D0 -N arc.lzh @one @two QUORIN.ini Map????.qmu",
         "arc.lzh",
         {"one", "two"},
         {"QUORIN.ini", "Map????.qmu"},
         Recursion::Patterns,
         false},
        {"a arc.lzh -r -d1 -r0 -+1 name", "arc.lzh", {}, {"name"}, Recursion::None, true},
        {"\ta\t-r\t-d  arc.lzh\r\n@r\n", "arc.lzh", {"r"}, {}, Recursion::Patterns, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CommandLine command = ParseCommandLine(c.text);
        EXPECT_EQ(command.archive, c.archive);
        EXPECT_EQ(command.responseFiles, c.responses);
        EXPECT_EQ(command.names, c.names);
        EXPECT_EQ(command.recursion, c.recursion);
        EXPECT_EQ(command.storeFolders, c.storeFolders);
    }
    for (const char* bad : {"a arc.lzh ../up", "a arc.lzh /etc", "a arc.lzh Sub*/x", "a arc.lzh -y @r"}) {
        SCOPED_TRACE(bad);
        try {
            ParseCommandLine(bad);
            ADD_FAILURE() << "accepted";
        } catch (const UnlhaError& e) {
            EXPECT_EQ(e.Code(), UNLHA_ERROR_COMMAND_LINE);
        }
    }
}

TEST(UnlhaResponseFile, GroupsFollowTheirQuotedBaseFolder) {
    const std::string text = "\xEF\xBB\xBF"
                             "loose.txt\r\n"
                             "\"/rtp/\"\r\n"
                             "  Backdrop  \r\n"
                             "\r\n"
                             "\"/home/me/My Game/\"\r\n"
                             "Sub\\Deeper/file.txt\r\n"
                             "Map????.qmu\r\n"
                             "\"/rtp/\"\r\n"
                             "Consort.dll"; // no line end after the last line
    std::vector<SourceGroup> groups = ParseResponseText(text, "Response.lst");
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].basePath, "");
    EXPECT_EQ(groups[0].names, std::vector<std::string>{"loose.txt"});
    EXPECT_EQ(groups[1].basePath, "/rtp/");
    EXPECT_EQ(groups[1].names, std::vector<std::string>{"Backdrop"});
    EXPECT_EQ(groups[2].basePath, "/home/me/My Game/");
    EXPECT_EQ(groups[2].names, (std::vector<std::string>{"Sub\\Deeper/file.txt", "Map????.qmu"}));
    EXPECT_EQ(groups[3].names, std::vector<std::string>{"Consort.dll"});

    struct Bad {
        std::string text;
        std::string message;
    } bads[] = {
        {"\"/a/\"\nx\n..\\..\\etc", "line 3: \"..\\..\\etc\" leaves its base folder"},
        {"\"/a/\" extra", "line 1: unterminated quote"},
        {"\"/a/\" \"/b/\"", "line 1: a base folder line holds one quoted path only"},
        {"\"\"", "line 1: empty base folder"},
        {"Sub?/x.txt", "line 1: \"Sub?/x.txt\" has a wildcard before its last part"},
        {std::string("a\0b", 3), "line 1: holds a zero byte"},
        {"./.", "line 1: \"./.\" names no file or folder"},
    };
    for (const Bad& bad : bads) {
        SCOPED_TRACE(bad.message);
        try {
            ParseResponseText(bad.text, "R.lst");
            ADD_FAILURE() << "accepted";
        } catch (const UnlhaError& e) {
            EXPECT_EQ(e.Code(), UNLHA_ERROR_RESPONSE_FILE);
            EXPECT_EQ(std::string(e.what()), "Unlha: response file \"R.lst\", " + bad.message);
        }
    }
}

TEST(UnlhaWildcards, QuestionMarkIsOneCharacterAndStarAnyRun) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"Map????.qmu", "Map0001.qmu", true},
        {"Map????.qmu", "Map001.qmu", false},
        {"Map????.qmu", "Map00001.qmu", false},
        {"Map????.qmu", "map0001.QMU", true},
        {"Map????.qmu", "Map0001.qmu.bak", false},
        {"*.txt", "a.txt.bak", false},
        {"*.txt", ".txt", true},
        {"a*b*c", "axxbyyc", true},
        {"a*b*c", "axxbyyca", false},
        {"*", "anything", true},
        {"?", "\xC3\x9C", true}, // "Ü" is one character
        {"??", "\xC3\x9C", false},
        {"\xC3\x9C*",
         "\xC3\x9C"
         "ber.txt",
         true},
        {"**?", "x", true},
        {"*?*?", "x", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " ~ " + c.name);
        EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches);
    }
}
