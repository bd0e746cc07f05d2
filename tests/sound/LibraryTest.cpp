// The built libconsort.so through its entry points, as the editor calls it. SDL is pointed at a
// driver that does not exist, so the library must fall back to the silent driver on any machine.
#include <QElapsedTimer>
#include <QThread>
#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <set>

#include "SoundTestSupport.h"

using namespace tarvel::test;
using namespace tarvel::test::sound;

namespace {

const char* const kEntryPoints[] = {
    "ConsortGetVersion",      "ConsortCreate",          "ConsortRelease",       "ConsortInitWave",
    "ConsortTermWave",        "ConsortInitMidi",        "ConsortTermMidi",      "ConsortCheckValidMidi",
    "ConsortCheckValidWave",  "ConsortPlayMusic",       "ConsortStopMusic",     "ConsortFadeInMusic",
    "ConsortFadeOutMusic",    "ConsortSetMusicVolume",  "ConsortSetMusicSpeed", "ConsortSetMusicPanpot",
    "ConsortGetMusicPlaying", "ConsortGetMusicLooping", "ConsortPlaySound",     "ConsortPlaySoundEx",
    "ConsortStopSound",       "ConsortCacheSound",      "ConsortReserveSound",  "ConsortCancelSound",
    "ConsortGetMidiTick",
    // Beyond the classic set: whether the output went silent because no device could be opened.
    "ConsortGetSilentOutput",
};

QString libraryPath() {
    return BuildBinFolder() + "/libconsort.so";
}

// The library opened with dlopen, its entries looked up by name.
class Consort {
public:
    Consort() {
        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        mHandle = dlopen(libraryPath().toUtf8().constData(), RTLD_NOW | RTLD_LOCAL);
    }
    ~Consort() {
        if (mHandle) dlclose(mHandle);
    }
    bool loaded() const { return mHandle != nullptr; }
    void* handle() const { return mHandle; }
    void forget() { mHandle = nullptr; }

    int call(const char* name) { return reinterpret_cast<int (*)()>(entry(name))(); }
    int call(const char* name, int value) { return reinterpret_cast<int (*)(int)>(entry(name))(value); }
    int call(const char* name, const std::string& path) {
        return reinterpret_cast<int (*)(const char*)>(entry(name))(path.c_str());
    }
    int playSound(const std::string& path, int volume, int tempo, int balance) {
        return reinterpret_cast<int (*)(const char*, int, int, int)>(entry("ConsortPlaySoundEx"))(
            path.c_str(), volume, tempo, balance);
    }

    // The editor's music preview: init, play, fade-in, volume, tempo, balance.
    void previewMusic(const std::string& path) {
        call("ConsortInitMidi");
        call("ConsortPlayMusic", path);
        call("ConsortFadeInMusic", 0);
        call("ConsortSetMusicVolume", 100);
        call("ConsortSetMusicSpeed", 100);
        call("ConsortSetMusicPanpot", 50);
    }

    // Waits (up to ten seconds) for a query to answer 1: the device's thread is pulling audio.
    bool waitFor(const char* query) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 10000) {
            if (call(query) == 1) return true;
            QThread::msleep(10);
        }
        return false;
    }

private:
    void* entry(const char* name) {
        void* f = dlsym(mHandle, name);
        EXPECT_NE(f, nullptr) << name;
        return f;
    }
    void* mHandle = nullptr;
};

// A quarter of a second of music, so it loops quickly in real time.
const std::string& shortMusic() {
    static const std::string path = WriteMaterial("short.wav", WaveFile(Tone(440, 0.25, 0.3f), 1, 44100));
    return path;
}

} // namespace

TEST(ConsortLibrary, ExportsExactlyItsEntryPoints) {
    ProcessResult nm = RunProgram("nm", {"-D", "--defined-only", libraryPath()});
    ASSERT_EQ(nm.exitCode, 0) << nm.err.toStdString();
    std::set<std::string> exported;
    for (const QByteArray& line : nm.out.split('\n')) {
        QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() == 3) exported.insert(fields[2].toStdString());
    }
    EXPECT_EQ(exported, std::set<std::string>(std::begin(kEntryPoints), std::end(kEntryPoints)));
}

TEST(ConsortLibrary, AnyCallInAnyOrderIsHarmless) {
    Consort lib;
    ASSERT_TRUE(lib.loaded()) << dlerror();
    EXPECT_EQ(lib.call("ConsortGetVersion"), 0x0100);
    // Before ConsortCreate nothing acts.
    EXPECT_EQ(lib.call("ConsortInitWave"), -1);
    lib.previewMusic(shortMusic());
    EXPECT_EQ(lib.call("ConsortGetMusicPlaying"), 0);
    EXPECT_EQ(lib.call("ConsortStopMusic"), -1);
    EXPECT_EQ(lib.call("ConsortRelease"), 0);

    // The editor's order, with stops when nothing plays and files that cannot play.
    EXPECT_EQ(lib.call("ConsortCreate"), 0);
    EXPECT_EQ(lib.call("ConsortInitWave"), 0);
    EXPECT_EQ(lib.call("ConsortStopMusic"), 0);
    EXPECT_EQ(lib.call("ConsortTermMidi"), 0);
    EXPECT_EQ(lib.call("ConsortStopSound"), 0);
    EXPECT_EQ(lib.call("ConsortFadeOutMusic", 5000), 0);
    EXPECT_EQ(lib.call("ConsortPlayMusic", std::string("/nowhere/Town.mid")), -1);
    EXPECT_EQ(lib.playSound("/nowhere/Bell.wav", 100, 100, 50), -1);
    EXPECT_EQ(reinterpret_cast<int (*)(const char*)>(dlsym(lib.handle(), "ConsortPlayMusic"))(nullptr), -1);
    EXPECT_EQ(lib.call("ConsortGetMusicPlaying"), 0);

    EXPECT_EQ(lib.call("ConsortCheckValidMidi", OrganPath()), 1);
    EXPECT_EQ(lib.call("ConsortCheckValidMidi", TonePath()), 0);
    EXPECT_EQ(lib.call("ConsortCheckValidWave", TonePath()), 1);
    EXPECT_EQ(lib.call("ConsortCheckValidWave", std::string("/nowhere.wav")), 0);

    // Release twice, then take the device back.
    EXPECT_EQ(lib.call("ConsortRelease"), 0);
    EXPECT_EQ(lib.call("ConsortRelease"), 0);
    EXPECT_EQ(lib.call("ConsortCreate"), 0);
    EXPECT_EQ(lib.call("ConsortCreate"), 0);
    EXPECT_EQ(lib.call("ConsortInitWave"), 0);
    EXPECT_EQ(lib.call("ConsortRelease"), 0);
}

TEST(ConsortLibrary, PlaysInRealTimeWithoutADeviceAndHandsTheDeviceBack) {
    Consort lib;
    ASSERT_TRUE(lib.loaded()) << dlerror();
    ASSERT_EQ(lib.call("ConsortCreate"), 0);
    ASSERT_EQ(lib.call("ConsortInitWave"), 0);

    // The silent driver pulls audio: the music plays through and loops.
    lib.previewMusic(shortMusic());
    EXPECT_EQ(lib.call("ConsortGetMusicPlaying"), 1);
    EXPECT_TRUE(lib.waitFor("ConsortGetMusicLooping"));
    EXPECT_EQ(lib.playSound(TonePath(), 100, 150, 0), 0);

    // MIDI music advances its ticks; a stop ends it.
    lib.previewMusic(OrganPath());
    QElapsedTimer timer;
    timer.start();
    while (lib.call("ConsortGetMidiTick") == 0 && timer.elapsed() < 10000)
        QThread::msleep(10);
    EXPECT_GT(lib.call("ConsortGetMidiTick"), 0);
    lib.call("ConsortStopMusic");
    lib.call("ConsortTermMidi");
    EXPECT_EQ(lib.call("ConsortGetMusicPlaying"), 0);
    EXPECT_EQ(lib.call("ConsortGetMidiTick"), 0);

    // A test play: released while music and a sound play, then taken back.
    lib.previewMusic(shortMusic());
    EXPECT_EQ(lib.playSound(TonePath(), 100, 100, 50), 0);
    EXPECT_EQ(lib.call("ConsortRelease"), 0);
    EXPECT_EQ(lib.call("ConsortGetMusicPlaying"), 0);
    EXPECT_EQ(lib.call("ConsortCreate"), 0);
    EXPECT_EQ(lib.call("ConsortInitWave"), 0);
    lib.previewMusic(shortMusic());
    EXPECT_TRUE(lib.waitFor("ConsortGetMusicLooping"));

    // A fade-out ends the music in real time.
    lib.call("ConsortFadeOutMusic", 100);
    timer.restart();
    while (lib.call("ConsortGetMusicPlaying") == 1 && timer.elapsed() < 10000)
        QThread::msleep(10);
    EXPECT_EQ(lib.call("ConsortGetMusicPlaying"), 0);
    EXPECT_EQ(lib.call("ConsortRelease"), 0);
}

TEST(ConsortLibrary, UnloadingWhilePlayingStopsTheDeviceFirst) {
    Consort lib;
    ASSERT_TRUE(lib.loaded()) << dlerror();
    lib.call("ConsortCreate");
    lib.call("ConsortInitWave");
    lib.previewMusic(OrganPath());
    EXPECT_TRUE(lib.waitFor("ConsortGetMusicPlaying"));
    // No release: the library's own clean-up must stop the audio thread before its code goes.
    EXPECT_EQ(dlclose(lib.handle()), 0);
    lib.forget();
    QThread::msleep(200);
}
