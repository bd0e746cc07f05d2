#include <QLibrary>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

#include "PickerTestSupport.h"
#include "pickers/SelMusic.h"
#include "pickers/SelSound.h"
#include "ui_SelMusic.h"
#include "ui_SelSound.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

void clickRow(QListWidget* list, int row, bool twice = false) {
    list->scrollToItem(list->item(row));
    QPoint at = list->visualItemRect(list->item(row)).center();
    if (twice) {
        // Press, release, double-click, release: as the window system delivers it.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    } else
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
}

TQelMusic musicOf(const char* name, int fadeIn, int volume, int tempo, int balance) {
    TQelMusic m;
    m.FileName = name;
    m.FadeIn = fadeIn;
    m.Volume = volume;
    m.Tempo = tempo;
    m.Balance = balance;
    return m;
}

QString remembered() {
    const TPreviewMusic& m = RememberedMusic().Value();
    return QString("%1 %2 %3 %4 %5").arg(m.name).arg(m.fadeIn).arg(m.volume).arg(m.tempo).arg(m.balance);
}

QString values(const TQelMusic& m) {
    return QString("%1 %2 %3 %4 %5")
        .arg(QString::fromStdString(m.FileName))
        .arg(m.FadeIn)
        .arg(m.Volume)
        .arg(m.Tempo)
        .arg(m.Balance);
}

// A second of a quiet 440 Hz tone, mono 16-bit PCM at 22050 Hz.
QByteArray toneWave() {
    const int rate = 22050, frames = rate;
    QByteArray data;
    for (int i = 0; i < frames; ++i) {
        int16_t s = int16_t(3000 * std::sin(2 * M_PI * 440 * i / rate));
        data.append(char(s & 0xFF)).append(char((s >> 8) & 0xFF));
    }
    auto u32 = [](uint32_t v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](uint16_t v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
    return "RIFF" + u32(36 + data.size()) + "WAVE" + "fmt " + u32(16) + u16(1) + u16(1) + u32(rate) +
           u32(rate * 2) + u16(2) + u16(16) + "data" + u32(data.size()) + data;
}

} // namespace

TEST(MusicPicker, SlidersWriteTheRecordAndReachTheLibraryOnlyWhilePlaying) {
    MaterialFolders folders;
    folders.File(false, "Music", "Town.mid");
    folders.File(true, "Music", "Field1.mid");
    RecordingSoundLibrary library;
    RememberedMusic().Reset();

    TFormSelMusic dialog;
    dialog.SetMusic(musicOf("Town", 3000, 70, 120, 30));
    dialog.show();
    auto* ui = dialog.form();
    EXPECT_EQ(dialog.windowTitle(), "Select BGM");
    EXPECT_EQ(ui->TrackFadeIn->value(), 3);
    EXPECT_EQ(ui->TrackVolume->value(), 7);
    EXPECT_EQ(ui->TrackTempo->value(), 7);
    EXPECT_EQ(ui->TrackBalance->value(), 3);
    EXPECT_FALSE(dialog.Playing());

    // Not playing: the record changes, the library hears nothing, the values are remembered.
    QTest::keyClick(ui->TrackVolume, Qt::Key_Right);
    QTest::keyClick(ui->TrackFadeIn, Qt::Key_Right);
    EXPECT_EQ(values(dialog.Music()), "Town 4000 80 120 30");
    EXPECT_EQ(library.Take(), QStringList());
    EXPECT_EQ(remembered(), "(OFF) 0 80 100 50");

    QTest::mouseClick(ui->ButtonPlay, Qt::LeftButton);
    EXPECT_EQ(library.Take(),
              QStringList({"InitMidi", "PlayMusic " + folders.project + "Music/Town.mid", "FadeInMusic 4000",
                           "SetMusicVolume 80", "SetMusicSpeed 120", "SetMusicPanpot 30"}));
    EXPECT_TRUE(dialog.Playing());
    EXPECT_EQ(remembered(), "Town 4000 80 120 30");

    // Playing: volume, tempo and balance go to the library at once; the fade-in waits for Play.
    struct Move {
        QSlider* slider;
        Qt::Key key;
        QStringList calls;
        const char* record;
    } moves[] = {
        {ui->TrackTempo, Qt::Key_Right, {"SetMusicSpeed 130"}, "Town 4000 80 130 30"},
        {ui->TrackBalance, Qt::Key_Left, {"SetMusicPanpot 20"}, "Town 4000 80 130 20"},
        {ui->TrackVolume, Qt::Key_End, {"SetMusicVolume 100"}, "Town 4000 100 130 20"},
        {ui->TrackTempo, Qt::Key_Home, {"SetMusicSpeed 50"}, "Town 4000 100 50 20"},
        {ui->TrackFadeIn, Qt::Key_End, {}, "Town 10000 100 50 20"},
    };
    for (const Move& m : moves) {
        SCOPED_TRACE(m.record);
        QTest::keyClick(m.slider, m.key);
        EXPECT_EQ(library.Take(), m.calls);
        EXPECT_EQ(values(dialog.Music()), m.record);
    }
    EXPECT_EQ(remembered(), "Town 4000 100 50 20");

    // Shift: fade out; the remembered music stays, slider moves are no longer sent.
    QTest::mouseClick(ui->ButtonInterrupt, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(library.Take(), QStringList({"FadeOutMusic 5000"}));
    EXPECT_FALSE(dialog.Playing());
    QTest::keyClick(ui->TrackVolume, Qt::Key_Left);
    EXPECT_EQ(library.Take(), QStringList());
    EXPECT_EQ(RememberedMusic().Value().name, "Town");

    QTest::mouseClick(ui->ButtonPlay, Qt::LeftButton);
    library.Take();
    QTest::mouseClick(ui->ButtonInterrupt, Qt::LeftButton);
    EXPECT_EQ(library.Take(), QStringList({"StopMusic", "TermMidi"}));
    EXPECT_EQ(remembered(), "(OFF) 0 100 100 50");
}

TEST(MusicPicker, StartsFromTheRememberedMusicAndPlaysOnDoubleClickAndEnter) {
    MaterialFolders folders;
    folders.File(false, "Music", "Town.mid");
    folders.File(true, "Music", "Field1.mid");
    RecordingSoundLibrary library;
    RememberedMusic().Set(TPreviewMusic{"Field1", 2000, 60, 90, 70});

    TFormSelMusic dialog;
    dialog.SetListenOnly(true);
    dialog.show();
    auto* ui = dialog.form();
    EXPECT_FALSE(ui->ButtonOk->isVisible());
    EXPECT_EQ(ui->ButtonCancel->text(), "&Cansel");
    EXPECT_EQ(dialog.DataList()->currentItem()->text(), "Field1 <RTP>");
    EXPECT_EQ(values(dialog.Music()), "Field1 2000 60 90 70");
    EXPECT_EQ(ui->TrackTempo->value(), 4);
    // The music shown is the one remembered as playing: its sliders are heard at once.
    EXPECT_TRUE(dialog.Playing());
    QTest::keyClick(ui->TrackVolume, Qt::Key_Right);
    EXPECT_EQ(library.Take(), QStringList({"SetMusicVolume 70"}));

    clickRow(dialog.DataList(), 1, true);
    EXPECT_EQ(library.Take(),
              QStringList({"InitMidi", "PlayMusic " + folders.project + "Music/Town.mid", "FadeInMusic 2000",
                           "SetMusicVolume 70", "SetMusicSpeed 90", "SetMusicPanpot 70"}));
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(dialog.DataList(), Qt::Key_Return);
    EXPECT_EQ(library.Take().value(1), "PlayMusic " + folders.project + "Music/Town.mid");
    EXPECT_TRUE(dialog.isVisible());

    // "Play" on "(OFF)" interrupts, with Shift as a fade-out.
    clickRow(dialog.DataList(), 0);
    EXPECT_EQ(dialog.Music().FileName, "(OFF)");
    QTest::mouseClick(ui->ButtonPlay, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(library.Take(), QStringList({"FadeOutMusic 5000"}));
    QTest::mouseClick(ui->ButtonPlay, Qt::LeftButton);
    EXPECT_EQ(library.Take(), QStringList({"StopMusic", "TermMidi"}));
    EXPECT_EQ(remembered(), "(OFF) 0 100 100 50");

    // Nothing plays now: "(OFF)" shown and remembered is no reason to send slider moves.
    TFormSelMusic silent;
    silent.show();
    EXPECT_FALSE(silent.Playing());
    QTest::keyClick(silent.form()->TrackVolume, Qt::Key_Left);
    EXPECT_EQ(library.Take(), QStringList());
}

TEST(MusicPicker, PlaysAndStopsThroughTheBuiltSoundLibrary) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    MaterialFolders folders;
    folders.File(false, "Music", "Chime.wav", toneWave());
    ConsortLibrary& consort = ConsortLib();
    ASSERT_TRUE(consort.Load(BuildBinFolder()));
    QLibrary same(consort.FileName());
    auto musicPlaying = reinterpret_cast<int (*)()>(same.resolve("ConsortGetMusicPlaying"));
    ASSERT_NE(musicPlaying, nullptr);
    consort.Create();
    consort.InitWave();
    RememberedMusic().Reset();

    TFormSelMusic dialog;
    dialog.SetMusic(musicOf("Chime", 0, 100, 100, 50));
    dialog.show();
    EXPECT_EQ(musicPlaying(), 0);
    QTest::mouseClick(dialog.form()->ButtonPlay, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return musicPlaying() == 1; }, 2000));
    QTest::keyClick(dialog.form()->TrackVolume, Qt::Key_Left);
    QTest::mouseClick(dialog.form()->ButtonInterrupt, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return musicPlaying() == 0; }, 2000));

    // A fade-out is still music playing until it has faded.
    QTest::mouseClick(dialog.form()->ButtonPlay, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return musicPlaying() == 1; }, 2000));
    QTest::mouseClick(dialog.form()->ButtonInterrupt, Qt::LeftButton, Qt::ShiftModifier);
    QTest::qWait(100);
    EXPECT_EQ(musicPlaying(), 1);

    consort.Release();
    consort.Unload();
}

TEST(SoundPicker, PlaysOnceWithItsValuesAndOffOrInterruptStops) {
    MaterialFolders folders;
    folders.File(true, "Sound", "Bell.wav");
    RecordingSoundLibrary library;

    TFormSelSound dialog;
    TQelSound sound;
    sound.FileName = "Bell";
    sound.Volume = 40;
    sound.Tempo = 150;
    sound.Balance = 100;
    dialog.SetSound(sound);
    dialog.show();
    auto* ui = dialog.form();
    EXPECT_EQ(dialog.windowTitle(), "Select Sound Effect");
    EXPECT_EQ(dialog.DataList()->currentRow(), 1);
    EXPECT_EQ(ui->TrackVolume->value(), 4);
    EXPECT_EQ(ui->TrackTempo->value(), 10);
    EXPECT_EQ(ui->TrackBalance->value(), 10);

    const QString bell = folders.rtp + "Sound/Bell.wav";
    QTest::mouseClick(ui->ButtonPlay, Qt::LeftButton);
    EXPECT_EQ(library.Take(), QStringList({"PlaySoundEx " + bell + " 40 150 100"}));
    QTest::keyClick(ui->TrackVolume, Qt::Key_Left);
    QTest::keyClick(ui->TrackTempo, Qt::Key_Home);
    QTest::keyClick(ui->TrackBalance, Qt::Key_PageDown);
    EXPECT_EQ(library.Take(), QStringList());
    TQelSound chosen = dialog.Sound();
    EXPECT_EQ(chosen.Volume, 30);
    EXPECT_EQ(chosen.Tempo, 50);
    EXPECT_EQ(chosen.Balance, 90);
    QTest::keyClick(dialog.DataList(), Qt::Key_Enter);
    clickRow(dialog.DataList(), 1, true);
    EXPECT_EQ(library.Take(),
              QStringList({"PlaySoundEx " + bell + " 30 50 90", "PlaySoundEx " + bell + " 30 50 90"}));
    QTest::mouseClick(ui->ButtonInterrupt, Qt::LeftButton);
    clickRow(dialog.DataList(), 0);
    QTest::mouseClick(ui->ButtonPlay, Qt::LeftButton);
    EXPECT_EQ(library.Take(), QStringList({"StopSound", "StopSound"}));
    EXPECT_EQ(dialog.Sound().FileName, "(OFF)");
    EXPECT_TRUE(dialog.isVisible());
}
