#include "ConsortSound.h"

#include <QDir>
#include <QFileInfo>

#include "graphics/GraphicsPorts.h"
#include "platform/OutsideLibraries.h"
#include "platform/Paths.h"

namespace tarvel::runtime {

TConsortSound::~TConsortSound() {
    if (mOpen) ConsortLib().Release();
}

bool TConsortSound::Open() {
    ConsortLibrary& library = ConsortLib();
    if (!library.Load() && !RuntimePackagePath().isEmpty())
        library.Load(QFileInfo(QDir(RuntimePackagePath()).absolutePath()).absolutePath());
    if (!library.IsLoaded()) return false;
    library.Create();
    library.InitWave();
    library.InitMidi();
    mOpen = true;
    mQueries.setFileName(library.FileName());
    if (mQueries.load()) {
        mLooping = reinterpret_cast<int (*)()>(mQueries.resolve("ConsortGetMusicLooping"));
        mTick = reinterpret_cast<int (*)()>(mQueries.resolve("ConsortGetMidiTick"));
    }
    return true;
}

void TConsortSound::PlayMusic(const TQelMusic& music) {
    if (!mOpen) return;
    ConsortLibrary& library = ConsortLib();
    if (music.FileName.empty() || music.FileName == MusicOff) {
        library.StopMusic();
        return;
    }
    library.PlayMusic(QString::fromStdString(MaterialLocator().Locate(music.FileName, "Music")));
    library.FadeInMusic(music.FadeIn);
    library.SetMusicVolume(music.Volume);
    library.SetMusicSpeed(music.Tempo);
    library.SetMusicPanpot(music.Balance);
}

void TConsortSound::FadeOutMusic(int milliseconds) {
    if (mOpen) ConsortLib().FadeOutMusic(milliseconds);
}

void TConsortSound::PlaySound(const TQelSound& sound) {
    if (!mOpen) return;
    ConsortLib().PlaySoundEx(QString::fromStdString(MaterialLocator().Locate(sound.FileName, "Sound")),
                             sound.Volume, sound.Tempo, sound.Balance);
}

void TConsortSound::StopSounds() {
    if (mOpen) ConsortLib().StopSound();
}

void TConsortSound::PlayWave(const std::vector<uint8_t>& wave) {
    if (!mOpen) return;
    // The library plays files: the movie's sound goes to a temporary file of the system, never
    // into the project.
    auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/quorin-movie-XXXXXX.wav");
    if (!file->open()) return;
    file->write(reinterpret_cast<const char*>(wave.data()), qint64(wave.size()));
    file->flush();
    ConsortLib().PlaySoundEx(file->fileName(), 100, 100, 50);
    mWaves.push_back(std::move(file));
    if (mWaves.size() > 4) mWaves.erase(mWaves.begin());
}

bool TConsortSound::MusicPlayedOnce() const {
    return mOpen && mLooping && mLooping() == 1;
}

int32_t TConsortSound::MusicTicks() const {
    return mOpen && mTick ? mTick() : 0;
}

} // namespace tarvel::runtime
