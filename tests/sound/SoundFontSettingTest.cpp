#include <QDir>
#include <QSettings>
#include <gtest/gtest.h>

#include "SoundFontSetting.h"
#include "TestEnvironment.h"

using namespace tarvel::consort;
using namespace tarvel::test;

namespace {

// Writes the setting the way the editor does, through QSettings' per-user store.
void storeSetting(const QVariant& value) {
    QSettings settings("Ostel", "Tarvel");
    if (value.isValid())
        settings.setValue("SoundFontPath", value);
    else
        settings.remove("SoundFontPath");
    settings.sync();
}

} // namespace

TEST(SoundFontSetting, TheLibraryReadsTheFileTheEditorsSettingsWrite) {
    EXPECT_EQ(QString::fromStdString(UserSettingsFilePath()), QSettings("Ostel", "Tarvel").fileName());

    // Soundfont files whose names QSettings has to quote or escape.
    QString folder = MakeTempFolder("fonts");
    const QString names[] = {
        "plain.sf2",          "My Sound Fonts/general.sf2",
        "a,b;c=\"d\"\\e.sf2", "@home.sf2",
        "padded.sf2 ",        QString::fromUtf8("Grüße/日本/\xF0\x9D\x84\x9E.sf2"),
        "tab\there.sf2",
    };
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QString path = folder + "/" + name;
        WriteFile(path, "sfbk");
        storeSetting(path);
        EXPECT_EQ(QString::fromStdString(SoundFontPath()), path);
    }
    QString bytesPath = folder + "/as bytes.sf2";
    WriteFile(bytesPath, "sfbk");
    storeSetting(bytesPath.toUtf8());
    EXPECT_EQ(QString::fromStdString(SoundFontPath()), bytesPath);

    // A setting that names no file, and no setting, give the Debian soundfont.
    storeSetting(folder + "/missing.sf2");
    EXPECT_EQ(SoundFontPath(), kDefaultSoundFontPath);
    storeSetting(QStringList{folder + "/plain.sf2", "second"});
    EXPECT_EQ(SoundFontPath(), kDefaultSoundFontPath);
    storeSetting(QVariant());
    EXPECT_EQ(SoundFontPath(), kDefaultSoundFontPath);
}

TEST(SoundFontSetting, ReadsOnlyTheTopLevelKey) {
    struct Case {
        const char* what;
        const char* text;
        std::optional<std::string> value;
    } cases[] = {
        {"a key before any section", "SoundFontPath=/a.sf2\n", "/a.sf2"},
        {"a key in another section", "[Other]\nSoundFontPath=/a.sf2\n", std::nullopt},
        {"the section in other letters", "[general]\nSoundFontPath = /a.sf2  \r\n", "/a.sf2"},
        {"a group named General", "[%General]\nSoundFontPath=/a.sf2\n", std::nullopt},
        {"a later line wins", "[General]\nSoundFontPath=/a.sf2\nSoundFontPath=/b.sf2\n", "/b.sf2"},
        {"a comment", "; SoundFontPath=/a.sf2\n[General]\nSoundFontPath=/b.sf2 ; old: /c.sf2\n", "/b.sf2"},
        {"a quoted line break", "[General]\nSoundFontPath=\"/a\n.sf2\"\nOther=1\n", "/a\n.sf2"},
        {"an escaped line break", "[General]\nSoundFontPath=/a\\\n.sf2\n", "/a.sf2"},
        {"hex and octal escapes", "[General]\nSoundFontPath=/a\\x20\\101.sf2\n", "/a A.sf2"},
        {"a list", "[General]\nSoundFontPath=/a.sf2, /b.sf2\n", std::nullopt},
        {"another typed value", "[General]\nSoundFontPath=@Variant(\\0\\0)\n", std::nullopt},
        {"a key that only starts alike", "[General]\nSoundFontPathOld=/a.sf2\n", std::nullopt},
        {"an empty file", "", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReadGeneralSetting(c.text, "SoundFontPath"), c.value);
    }
}
