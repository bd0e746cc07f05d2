#include <gtest/gtest.h>

#include "TestEnvironment.h"

using namespace tarvel::test;

TEST(CliMaterial, ListsAndResolvesLikeThePickers) {
    QString project = MakeTempFolder("project");
    QString rtp = MakeTempFolder("rtp");
    for (auto f : {"Town.mid", "Town.wav", "Battle10.mid", "Battle2.mid"})
        WriteFile(project + "/Music/" + f);
    for (auto f : {"Battle1.mid", "Town.mid"})
        WriteFile(rtp + "/Music/" + f);

    auto list = RunCli({"material", "list", "Music", "--project", project, "--rtp", rtp});
    EXPECT_EQ(list.exitCode, 0) << list.err.toStdString();
    EXPECT_EQ(list.out, "Battle2\nBattle10\nTown\nBattle1 <RTP>\n");

    auto inRtp = RunCli({"material", "resolve", "Battle1", "Music", "--project", project, "--rtp", rtp});
    EXPECT_EQ(inRtp.out, (rtp + "/Music/Battle1.mid\n").toUtf8());
    auto shadowed = RunCli({"material", "resolve", "Town", "Music", "--rtp", rtp, "--project", project});
    EXPECT_EQ(shadowed.out, (project + "/Music/Town.mid\n").toUtf8());
    auto missing = RunCli({"material", "resolve", "Nothing", "Music", "--project", project, "--rtp", rtp});
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_EQ(missing.out, "Nothing\n");
}

TEST(CliMaterial, ErrorsAndUsage) {
    struct Case {
        QStringList args;
        int exitCode;
        QByteArray errStart;
    } cases[] = {
        {{"material", "list", "Musik"}, 1, "tarvel-cli: material: unknown material folder \"Musik\""},
        {{"material", "list"}, 2, "tarvel-cli: usage: "},
        {{"material", "resolve", "Town", "Music", "--project"}, 2, "tarvel-cli: usage: "},
        {{"material", "list", "Music", "--colour", "red"}, 2, "tarvel-cli: usage: "},
        {{"no-such-command"}, 2, "tarvel-cli: usage: unknown command"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        auto result = RunCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_TRUE(result.err.startsWith(c.errStart)) << result.err.toStdString();
    }
}
