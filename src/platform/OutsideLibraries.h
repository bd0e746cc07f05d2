#pragma once

#include <QLibrary>
#include <QString>
#include <memory>

namespace tarvel {

// The calls the editor makes into the sound library. Pickers and previews talk to this
// interface, so tests can watch the calls through a fake.
class SoundLibraryPort {
public:
    virtual ~SoundLibraryPort() = default;
    virtual void Create() = 0;
    virtual void InitWave() = 0;
    virtual void Release() = 0;
    virtual void InitMidi() = 0;
    virtual void TermMidi() = 0;
    virtual void PlayMusic(const QString& path) = 0;
    virtual void FadeInMusic(int milliseconds) = 0;
    virtual void SetMusicVolume(int percent) = 0;
    virtual void SetMusicSpeed(int percent) = 0;
    virtual void SetMusicPanpot(int balance) = 0;
    virtual void FadeOutMusic(int milliseconds) = 0;
    virtual void StopMusic() = 0;
    virtual void PlaySoundEx(const QString& path, int volume, int tempo, int balance) = 0;
    virtual void StopSound() = 0;
    // True while the library plays through its silent driver because no audio device opened.
    virtual bool OutputIsSilent() const { return false; }
};

// The sound library "libconsort.so", loaded by name with its 25 entry points looked up by name.
// An entry point the library lacks is left empty and calling it does nothing.
class ConsortLibrary : public SoundLibraryPort {
public:
    static constexpr int EntryPointCount = 25;
    static const char* const EntryPointNames[EntryPointCount];

    // Loads from the folder when one is given, else from the editor's program folder and then
    // the library search path. True when the library is loaded.
    bool Load(const QString& folder = {});
    bool IsLoaded() const { return mLibrary.isLoaded(); }
    void Unload();
    // How many of the 25 entry points were found.
    int ResolvedCount() const;
    QString FileName() const { return mLibrary.fileName(); }

    void Create() override;
    void InitWave() override;
    void Release() override;
    void InitMidi() override;
    void TermMidi() override;
    void PlayMusic(const QString& path) override;
    void FadeInMusic(int milliseconds) override;
    void SetMusicVolume(int percent) override;
    void SetMusicSpeed(int percent) override;
    void SetMusicPanpot(int balance) override;
    void FadeOutMusic(int milliseconds) override;
    void StopMusic() override;
    void PlaySoundEx(const QString& path, int volume, int tempo, int balance) override;
    void StopSound() override;
    bool OutputIsSilent() const override;

private:
    QLibrary mLibrary;
    QFunctionPointer mEntries[EntryPointCount] = {};
    QFunctionPointer mSilentOutput = nullptr;
    template <typename F>
    F entry(int index) const {
        return reinterpret_cast<F>(mEntries[index]);
    }
};

// The archiver "libunlha.so" and its entry "Unlha".
class UnlhaLibrary {
public:
    using UnlhaFunction = int (*)(void* ownerWindow, const char* commandLine, char* output, unsigned long size);
    bool Load(const QString& folder = {});
    bool IsLoaded() const { return mLibrary.isLoaded(); }
    void Unload();
    UnlhaFunction Unlha() const { return mUnlha; }

private:
    QLibrary mLibrary;
    UnlhaFunction mUnlha = nullptr;
};

// The process-wide library objects, loaded by the start-up sequence.
ConsortLibrary& ConsortLib();
UnlhaLibrary& UnlhaLib();
// The sound library the editor's previews call: the loaded library, or a test's fake.
SoundLibraryPort& SoundLibrary();
// Installs a port (not owned); nullptr restores the loaded library.
void SetSoundLibraryPort(SoundLibraryPort* port);

} // namespace tarvel
