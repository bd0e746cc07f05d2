#pragma once

// What the picker tests share: a project folder and a runtime package with small pictures, and
// a sound library that records the calls it gets.

#include <QDir>
#include <QString>
#include <QStringList>
#include <string>

#include "TestEnvironment.h"
#include "graphics/Bitmap.h"
#include "graphics/PictureFile.h"
#include "platform/OutsideLibraries.h"
#include "platform/Paths.h"
#include "platform/PlatformPorts.h"

namespace tarvel::test {

// A palette whose entries are easy to tell apart on a 5-6-5 board: entry i has red i, green
// 255 - i and blue (i * 37) mod 256.
inline TPalette PickerPalette() {
    TPalette p{};
    for (int i = 0; i < 256; ++i)
        p[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 37 % 256), 0};
    return p;
}

// An 8-bit picture whose pixels come from a function of x and y.
template <typename F>
TBitmap MakePicture(int width, int height, F index) {
    TBitmap b;
    b.Reset(TPixelFormat::pf8bit, width, height);
    b.Palette() = PickerPalette();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.ScanLine(y)[x] = uint8_t(index(x, y));
    return b;
}

inline TBitmap FlatPicture(int width, int height, int index) {
    return MakePicture(width, height, [index](int, int) { return index; });
}

// A project folder and a runtime package, both set as the process's own for the test's life.
class MaterialFolders {
public:
    MaterialFolders() {
        project = MakeTempFolder("project") + "/";
        rtp = MakeTempFolder("rtp") + "/";
        SetProjectPath(project);
        SetRuntimePackagePath(rtp);
        InstallPlatformPorts();
    }
    ~MaterialFolders() {
        SetProjectPath({});
        SetRuntimePackagePath({});
    }
    void Picture(bool inRtp, const QString& folder, const QString& name, const TBitmap& picture) const {
        QString dir = (inRtp ? rtp : project) + folder;
        QDir().mkpath(dir);
        SavePictureFile(picture, (dir + "/" + name + ".png").toStdString());
    }
    void File(bool inRtp, const QString& folder, const QString& fileName,
              const QByteArray& bytes = "x") const {
        WriteFile((inRtp ? rtp : project) + folder + "/" + fileName, bytes);
    }

    QString project;
    QString rtp;
};

// Records every call as one line: the call's name and its arguments.
class RecordingSoundLibrary : public SoundLibraryPort {
public:
    RecordingSoundLibrary() { SetSoundLibraryPort(this); }
    ~RecordingSoundLibrary() override { SetSoundLibraryPort(nullptr); }

    QStringList calls;
    QStringList Take() {
        QStringList out = calls;
        calls.clear();
        return out;
    }

    void Create() override { calls << "Create"; }
    void InitWave() override { calls << "InitWave"; }
    void Release() override { calls << "Release"; }
    void InitMidi() override { calls << "InitMidi"; }
    void TermMidi() override { calls << "TermMidi"; }
    void PlayMusic(const QString& path) override { calls << "PlayMusic " + path; }
    void FadeInMusic(int ms) override { calls << QString("FadeInMusic %1").arg(ms); }
    void SetMusicVolume(int v) override { calls << QString("SetMusicVolume %1").arg(v); }
    void SetMusicSpeed(int v) override { calls << QString("SetMusicSpeed %1").arg(v); }
    void SetMusicPanpot(int v) override { calls << QString("SetMusicPanpot %1").arg(v); }
    void FadeOutMusic(int ms) override { calls << QString("FadeOutMusic %1").arg(ms); }
    void StopMusic() override { calls << "StopMusic"; }
    void PlaySoundEx(const QString& path, int volume, int tempo, int balance) override {
        calls << QString("PlaySoundEx %1 %2 %3 %4").arg(path).arg(volume).arg(tempo).arg(balance);
    }
    void StopSound() override { calls << "StopSound"; }
};

} // namespace tarvel::test
