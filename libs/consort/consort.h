/* The sound library's entry points, looked up by these names when the editor starts. Every call
   returns 0 on success; the editor uses no result. Paths are zero-terminated bytes (UTF-8). */
#ifndef TARVEL_CONSORT_H
#define TARVEL_CONSORT_H

#ifdef __cplusplus
extern "C" {
#endif

#define CONSORT_API __attribute__((visibility("default")))

CONSORT_API int ConsortGetVersion(void);
CONSORT_API int ConsortCreate(void);
CONSORT_API int ConsortRelease(void);
CONSORT_API int ConsortInitWave(void);
CONSORT_API int ConsortTermWave(void);
CONSORT_API int ConsortInitMidi(void);
CONSORT_API int ConsortTermMidi(void);
CONSORT_API int ConsortCheckValidMidi(const char* path);
CONSORT_API int ConsortCheckValidWave(const char* path);
CONSORT_API int ConsortPlayMusic(const char* path);
CONSORT_API int ConsortStopMusic(void);
CONSORT_API int ConsortFadeInMusic(int milliseconds);
CONSORT_API int ConsortFadeOutMusic(int milliseconds);
CONSORT_API int ConsortSetMusicVolume(int percent);
CONSORT_API int ConsortSetMusicSpeed(int percent);
CONSORT_API int ConsortSetMusicPanpot(int balance);
CONSORT_API int ConsortGetMusicPlaying(void);
CONSORT_API int ConsortGetMusicLooping(void);
CONSORT_API int ConsortPlaySound(const char* path);
CONSORT_API int ConsortPlaySoundEx(const char* path, int volume, int tempo, int balance);
CONSORT_API int ConsortStopSound(void);
CONSORT_API int ConsortCacheSound(const char* path);
CONSORT_API int ConsortReserveSound(const char* path);
CONSORT_API int ConsortCancelSound(const char* path);
CONSORT_API int ConsortGetMidiTick(void);

#ifdef __cplusplus
}
#endif

#endif
