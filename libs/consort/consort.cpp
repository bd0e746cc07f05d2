// The sound library's exported entry points. The editor loads this library by name at start-up
// and looks every entry up by its name.
#include "consort.h"

extern "C" {

int ConsortGetVersion(void) { return 0x0100; }
int ConsortCreate(void) { return 0; }
int ConsortRelease(void) { return 0; }
int ConsortInitWave(void) { return 0; }
int ConsortTermWave(void) { return 0; }
int ConsortInitMidi(void) { return 0; }
int ConsortTermMidi(void) { return 0; }
int ConsortCheckValidMidi(const char*) { return 0; }
int ConsortCheckValidWave(const char*) { return 0; }
int ConsortPlayMusic(const char*) { return 0; }
int ConsortStopMusic(void) { return 0; }
int ConsortFadeInMusic(int) { return 0; }
int ConsortFadeOutMusic(int) { return 0; }
int ConsortSetMusicVolume(int) { return 0; }
int ConsortSetMusicSpeed(int) { return 0; }
int ConsortSetMusicPanpot(int) { return 0; }
int ConsortGetMusicPlaying(void) { return 0; }
int ConsortGetMusicLooping(void) { return 0; }
int ConsortPlaySound(const char*) { return 0; }
int ConsortPlaySoundEx(const char*, int, int, int) { return 0; }
int ConsortStopSound(void) { return 0; }
int ConsortCacheSound(const char*) { return 0; }
int ConsortReserveSound(const char*) { return 0; }
int ConsortCancelSound(const char*) { return 0; }
int ConsortGetMidiTick(void) { return 0; }
}
