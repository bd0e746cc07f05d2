#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/IniFile.h"

using namespace tarvel;

TEST(IniFile, ReadsWithoutRegardToCaseAndFallsBackToDefaults) {
    IniFile ini;
    ini.parse("; comment\n[QUORIN]\nGameTitle = \"My Game\"\nMapEditMode=2\nMapEditZoom=two\nFlag=yes\n"
              "[Other]\nGameTitle=Elsewhere\n");
    EXPECT_EQ(ini.readString("quorin", "gametitle", "Untitled"), "My Game");
    EXPECT_EQ(ini.readInteger("QUORIN", "MapEditMode", 0), 2);
    EXPECT_EQ(ini.readInteger("QUORIN", "MapEditZoom", 7), 7);
    EXPECT_EQ(ini.readInteger("QUORIN", "Missing", 3), 3);
    EXPECT_TRUE(ini.readBool("QUORIN", "Flag", false));
    EXPECT_EQ(ini.readString("Other", "GameTitle", ""), "Elsewhere");
    EXPECT_EQ(ini.readString("Nowhere", "GameTitle", "Untitled"), "Untitled");
}

TEST(IniFile, WritingKeepsEverythingElseInPlace) {
    IniFile ini;
    ini.parse("[A]\nx=1\n\n; keep me\n[B]\ny=2\n");
    ini.writeString("A", "z", "3");
    ini.writeString("b", "Y", "4");
    ini.writeString("C", "w", "line\nbreak");
    ini.deleteKey("A", "x");
    // An existing key keeps the spelling it has in the file.
    EXPECT_EQ(ini.text(), "[A]\nz=3\n\n; keep me\n[B]\ny=4\n\n[C]\nw=line break\n");
}

TEST(IniFile, SavesAndReadsBackAndAMissingFileReadsEmpty) {
    QString path = tarvel::test::MakeTempFolder() + "/QUORIN.ini";
    IniFile missing(path.toStdString());
    EXPECT_EQ(missing.readString("QUORIN", "GameTitle", "Untitled"), "Untitled");
    missing.writeString("QUORIN", "GameTitle", "Über");
    missing.writeBool("QUORIN", "FullPackageFlag", true);
    missing.save();
    IniFile reread(path.toStdString());
    EXPECT_EQ(reread.readString("QUORIN", "GameTitle", ""), "Über");
    EXPECT_TRUE(reread.hasKey("QUORIN", "FullPackageFlag"));
}
