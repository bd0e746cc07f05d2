#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/Material.h"

using namespace tarvel;
using tarvel::test::MakeTempFolder;
using tarvel::test::WriteFile;

namespace {

struct Layout {
    MaterialRoots roots;
    Layout() {
        roots.projectPath = MakeTempFolder("project") + "/";
        roots.runtimePackagePath = MakeTempFolder("rtp") + "/";
    }
    void project(const QString& relative) { WriteFile(roots.projectPath + relative); }
    void rtp(const QString& relative) { WriteFile(roots.runtimePackagePath + relative); }
};

} // namespace

TEST(MaterialLookup, ResolvesProjectFirstThenRuntimePackageInExtensionOrder) {
    Layout l;
    l.project("CharSet/Hero.png");
    l.rtp("CharSet/Hero.bmp");
    l.project("FaceSet/Both.png");
    l.project("FaceSet/Both.bmp");
    l.rtp("Music/Town.wav");
    l.rtp("Music/Town.mid");
    l.project("Sound/lower.wav");
    l.project("Sound/Mixed.WAV");
    l.rtp("Sound/Mixed.wav");
    l.project("Monster/Slime.xyz");

    struct Case {
        QString name, folder, expected;
    } cases[] = {
        {"Hero", "CharSet", l.roots.projectPath + "CharSet/Hero.png"},
        {"Both", "FaceSet", l.roots.projectPath + "FaceSet/Both.bmp"},
        {"Town", "Music", l.roots.runtimePackagePath + "Music/Town.mid"},
        {"Slime", "Monster", l.roots.projectPath + "Monster/Slime.xyz"},
        // A name that differs only in case still finds its file; an exact match elsewhere in the
        // same place does not shadow the project's own file.
        {"LOWER", "Sound", l.roots.projectPath + "Sound/lower.wav"},
        {"Mixed", "Sound", l.roots.projectPath + "Sound/Mixed.WAV"},
        {"Nothing", "Sound", "Nothing"},
        {"", "Sound", ""},
        // Names that could reach outside the material folders name nothing.
        {"../Sound/lower", "Sound", "../Sound/lower"},
        {"sub/x", "Sound", "sub/x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const auto* info = FindMaterialFolder(c.folder);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(ResolveMaterialFile(c.name, c.folder, info->extensions(), l.roots), c.expected);
    }
}

TEST(MaterialLookup, RuntimePackagePathWithOrWithoutDelimiterResolvesAlike) {
    Layout l;
    l.rtp("System/Frame.png");
    MaterialRoots bare = l.roots;
    bare.runtimePackagePath.chop(1);
    QString withDelimiter = ResolveMaterialFile("Frame", "System", ImageExtensions(), l.roots);
    QString without = ResolveMaterialFile("Frame", "System", ImageExtensions(), bare);
    EXPECT_EQ(QFileInfo(withDelimiter).canonicalFilePath(), QFileInfo(without).canonicalFilePath());
    EXPECT_TRUE(QFileInfo(without).isFile());
}

TEST(MaterialLookup, ListsProjectNamesThenMarkedRuntimePackageNames) {
    Layout l;
    for (auto f : {"Town.mid", "Town.wav", "Battle10.mid", "Battle2.mid"}) l.project(QString("Music/") + f);
    for (auto f : {"Battle1.mid", "town.mid"}) l.rtp(QString("Music/") + f);
    // Not listed: other extensions, hidden files, subfolders.
    l.project("Music/Notes.txt");
    l.project("Music/.Hidden.mid");
    l.project("Music/Folder.mid/inner.mid");
    EXPECT_EQ(ListMaterialNames("Music", MusicExtensions(), l.roots),
              (QStringList{"Battle2", "Battle10", "Town", "Battle1 <RTP>"}));
}

TEST(MaterialLookup, ListWithoutProjectOrPackageIsEmptyOrPackageOnly) {
    Layout l;
    l.rtp("Title/Opening.png");
    MaterialRoots noProject{{}, l.roots.runtimePackagePath};
    EXPECT_EQ(ListMaterialNames("Title", ImageExtensions(), noProject), QStringList{"Opening <RTP>"});
    EXPECT_TRUE(ListMaterialNames("Title", ImageExtensions(), MaterialRoots{}).isEmpty());
}

TEST(MaterialNames, NaturalOrder) {
    struct Case {
        QString a, b;
        int sign;
    } cases[] = {
        {"Actor2", "Actor10", -1}, {"Actor", "Actor1", -1}, {"actor1", "ACTOR1", 0},
        {"Hero02", "Hero2", 0},    {"B", "a", 1},           {"123", "124", -1},
        {"Slime9", "Slime", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.a + " vs " + c.b).toStdString());
        int r = CompareMaterialNames(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign);
    }
}

TEST(MaterialNames, MarkIsTakenOffOnlyWhenPresent) {
    EXPECT_EQ(MaterialNameOf("Battle1 <RTP>"), "Battle1");
    EXPECT_TRUE(HasRtpMark("Battle1 <RTP>"));
    EXPECT_EQ(MaterialNameOf("<RTP>"), "<RTP>");
    EXPECT_FALSE(HasRtpMark("<RTP>"));
    EXPECT_EQ(MaterialNameOf("Town"), "Town");
}

TEST(MaterialFolders, FourteenInAlphabeticalOrder) {
    QStringList names;
    for (const auto& f : MaterialFolders()) names << f.name;
    EXPECT_EQ(names, (QStringList{"Backdrop", "Battle", "CharSet", "ChipSet", "FaceSet", "GameOver", "Monster",
                                  "Movie", "Music", "Panorama", "Picture", "Sound", "System", "Title"}));
    EXPECT_EQ(FindMaterialFolder("Movie")->extensions(), (QStringList{"avi", "mpg"}));
    EXPECT_EQ(FindMaterialFolder("Music")->extensions(), (QStringList{"mid", "wav"}));
    EXPECT_EQ(FindMaterialFolder("Sound")->extensions(), QStringList{"wav"});
    EXPECT_EQ(FindMaterialFolder("Title")->extensions(), (QStringList{"bmp", "png", "xyz"}));
    EXPECT_EQ(FindMaterialFolder("Sounds"), nullptr);
}
