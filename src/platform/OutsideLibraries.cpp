#include "OutsideLibraries.h"

#include <QFileInfo>

#include "Paths.h"

namespace tarvel {

namespace {

enum Entry {
    eGetVersion, eCreate, eRelease, eInitWave, eTermWave, eInitMidi, eTermMidi, eCheckValidMidi,
    eCheckValidWave, ePlayMusic, eStopMusic, eFadeInMusic, eFadeOutMusic, eSetMusicVolume,
    eSetMusicSpeed, eSetMusicPanpot, eGetMusicPlaying, eGetMusicLooping, ePlaySound, ePlaySoundEx,
    eStopSound, eCacheSound, eReserveSound, eCancelSound, eGetMidiTick,
};

using VoidCall = int (*)();
using IntCall = int (*)(int);
using PathCall = int (*)(const char*);
using SoundExCall = int (*)(const char*, int, int, int);

// Tries the given folder, or the program folder and then the search path.
bool loadByName(QLibrary& library, const QString& baseName, const QString& folder) {
    QStringList candidates;
    QString fileName = "lib" + baseName + ".so";
    if (!folder.isEmpty()) {
        candidates << IncludeTrailingPathDelimiter(folder) + fileName;
    } else {
        candidates << ApplicationFolder() + fileName;
        candidates << fileName; // the dynamic loader's search path
    }
    for (const QString& candidate : candidates) {
        if (candidate.contains('/') && !QFileInfo::exists(candidate)) continue;
        library.setFileName(candidate);
        if (library.load()) return true;
    }
    return false;
}

SoundLibraryPort* gSoundPort = nullptr;

} // namespace

const char* const ConsortLibrary::EntryPointNames[EntryPointCount] = {
    "ConsortGetVersion",     "ConsortCreate",         "ConsortRelease",        "ConsortInitWave",
    "ConsortTermWave",       "ConsortInitMidi",       "ConsortTermMidi",       "ConsortCheckValidMidi",
    "ConsortCheckValidWave", "ConsortPlayMusic",      "ConsortStopMusic",      "ConsortFadeInMusic",
    "ConsortFadeOutMusic",   "ConsortSetMusicVolume", "ConsortSetMusicSpeed",  "ConsortSetMusicPanpot",
    "ConsortGetMusicPlaying", "ConsortGetMusicLooping", "ConsortPlaySound",    "ConsortPlaySoundEx",
    "ConsortStopSound",      "ConsortCacheSound",     "ConsortReserveSound",   "ConsortCancelSound",
    "ConsortGetMidiTick",
};

bool ConsortLibrary::Load(const QString& folder) {
    if (IsLoaded()) return true;
    if (!loadByName(mLibrary, "consort", folder)) return false;
    for (int i = 0; i < EntryPointCount; ++i) mEntries[i] = mLibrary.resolve(EntryPointNames[i]);
    // Not one of the named entry points: a library without it is taken to play aloud.
    mSilentOutput = mLibrary.resolve("ConsortGetSilentOutput");
    return true;
}

void ConsortLibrary::Unload() {
    for (auto& e : mEntries) e = nullptr;
    mSilentOutput = nullptr;
    if (mLibrary.isLoaded()) mLibrary.unload();
}

int ConsortLibrary::ResolvedCount() const {
    int n = 0;
    for (auto e : mEntries)
        if (e) ++n;
    return n;
}

#define CONSORT_CALL(index, type, ...)                                                                      \
    do {                                                                                                    \
        if (auto f = entry<type>(index)) f(__VA_ARGS__);                                                    \
    } while (0)

void ConsortLibrary::Create() { CONSORT_CALL(eCreate, VoidCall); }
void ConsortLibrary::InitWave() { CONSORT_CALL(eInitWave, VoidCall); }
void ConsortLibrary::Release() { CONSORT_CALL(eRelease, VoidCall); }
void ConsortLibrary::InitMidi() { CONSORT_CALL(eInitMidi, VoidCall); }
void ConsortLibrary::TermMidi() { CONSORT_CALL(eTermMidi, VoidCall); }
void ConsortLibrary::PlayMusic(const QString& path) {
    QByteArray bytes = path.toUtf8();
    CONSORT_CALL(ePlayMusic, PathCall, bytes.constData());
}
void ConsortLibrary::FadeInMusic(int milliseconds) { CONSORT_CALL(eFadeInMusic, IntCall, milliseconds); }
void ConsortLibrary::SetMusicVolume(int percent) { CONSORT_CALL(eSetMusicVolume, IntCall, percent); }
void ConsortLibrary::SetMusicSpeed(int percent) { CONSORT_CALL(eSetMusicSpeed, IntCall, percent); }
void ConsortLibrary::SetMusicPanpot(int balance) { CONSORT_CALL(eSetMusicPanpot, IntCall, balance); }
void ConsortLibrary::FadeOutMusic(int milliseconds) { CONSORT_CALL(eFadeOutMusic, IntCall, milliseconds); }
void ConsortLibrary::StopMusic() { CONSORT_CALL(eStopMusic, VoidCall); }
void ConsortLibrary::PlaySoundEx(const QString& path, int volume, int tempo, int balance) {
    QByteArray bytes = path.toUtf8();
    CONSORT_CALL(ePlaySoundEx, SoundExCall, bytes.constData(), volume, tempo, balance);
}
void ConsortLibrary::StopSound() { CONSORT_CALL(eStopSound, VoidCall); }

bool ConsortLibrary::OutputIsSilent() const {
    return mSilentOutput && reinterpret_cast<int (*)()>(mSilentOutput)() == 1;
}

#undef CONSORT_CALL

bool UnlhaLibrary::Load(const QString& folder) {
    if (IsLoaded()) return true;
    if (!loadByName(mLibrary, "unlha", folder)) return false;
    mUnlha = reinterpret_cast<UnlhaFunction>(mLibrary.resolve("Unlha"));
    return true;
}

void UnlhaLibrary::Unload() {
    mUnlha = nullptr;
    if (mLibrary.isLoaded()) mLibrary.unload();
}

ConsortLibrary& ConsortLib() {
    static ConsortLibrary library;
    return library;
}

UnlhaLibrary& UnlhaLib() {
    static UnlhaLibrary library;
    return library;
}

SoundLibraryPort& SoundLibrary() { return gSoundPort ? *gSoundPort : ConsortLib(); }

void SetSoundLibraryPort(SoundLibraryPort* port) { gSoundPort = port; }

} // namespace tarvel
