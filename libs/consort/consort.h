/* The sound library's entry points, looked up by these names when the editor starts.

   The library holds one sound object: ConsortCreate makes it, ConsortInitWave opens the audio
   device it plays through (SDL's silent "dummy" driver when no device opens, so previews still
   run and end in real time), ConsortRelease closes the device and frees everything, so the game
   runtime gets the device during a test play. Music (a MIDI file through a General MIDI
   synthesiser whose soundfont loads with the first MIDI piece, or a WAVE file) loops until it is
   stopped; sound effects (WAVE files) play once, over each other.

   Every call may come in any order: before ConsortCreate and after ConsortRelease a call does
   nothing and returns -1; a missing or broken file plays nothing and returns -1; a stop with
   nothing playing is harmless. Otherwise calls return 0, except the queries below. Paths are
   zero-terminated bytes (UTF-8). Volumes are percent (0-100), tempos percent (50-150, values
   beyond are held at the limits), balances 0 (left) to 100 (right) with 50 the centre. */
#ifndef TARVEL_CONSORT_H
#define TARVEL_CONSORT_H

#ifdef __cplusplus
extern "C" {
#endif

#define CONSORT_API __attribute__((visibility("default")))

/* 0x0100. */
CONSORT_API int ConsortGetVersion(void);
/* Makes the sound object (nothing sounds until ConsortInitWave). */
CONSORT_API int ConsortCreate(void);
/* Closes the device, stops everything and frees the sound object. */
CONSORT_API int ConsortRelease(void);
/* Opens the audio device; -1 only when not even the silent driver opens. */
CONSORT_API int ConsortInitWave(void);
/* Closes the audio device and keeps the sound object. */
CONSORT_API int ConsortTermWave(void);
/* Nothing to prepare: the synthesiser loads with the first MIDI piece. */
CONSORT_API int ConsortInitMidi(void);
/* Stops MIDI music. */
CONSORT_API int ConsortTermMidi(void);
/* 1 when the file is a MIDI (WAVE) file this library plays, else 0. */
CONSORT_API int ConsortCheckValidMidi(const char* path);
CONSORT_API int ConsortCheckValidWave(const char* path);
/* Starts music at full level with the volume, tempo and balance set last; the old music stops,
   also when the new file cannot be played. New music starts 30 ms after the call, so the
   settings sent right after it apply from its first sample. */
CONSORT_API int ConsortPlayMusic(const char* path);
CONSORT_API int ConsortStopMusic(void);
/* Restarts the music's level from silence to full over the given time. */
CONSORT_API int ConsortFadeInMusic(int milliseconds);
/* Lowers the music from its current level to silence over the given time, then stops it. */
CONSORT_API int ConsortFadeOutMusic(int milliseconds);
CONSORT_API int ConsortSetMusicVolume(int percent);
/* MIDI: playback speed; WAVE: playback rate. */
CONSORT_API int ConsortSetMusicSpeed(int percent);
CONSORT_API int ConsortSetMusicPanpot(int balance);
/* 1 while music plays (fading out included), else 0. */
CONSORT_API int ConsortGetMusicPlaying(void);
/* 1 once the music has played through at least once, else 0. */
CONSORT_API int ConsortGetMusicLooping(void);
/* ConsortPlaySoundEx with volume 100, tempo 100, balance 50. */
CONSORT_API int ConsortPlaySound(const char* path);
/* Plays a WAVE file once over whatever sounds; up to 32 effects overlap, the oldest gives way. */
CONSORT_API int ConsortPlaySoundEx(const char* path, int volume, int tempo, int balance);
/* Stops every sound effect. */
CONSORT_API int ConsortStopSound(void);
/* Decodes an effect ahead of its first use. ConsortReserveSound does the same. */
CONSORT_API int ConsortCacheSound(const char* path);
CONSORT_API int ConsortReserveSound(const char* path);
/* Stops the effects playing this file and forgets its decoded copy. */
CONSORT_API int ConsortCancelSound(const char* path);
/* The MIDI music's position in ticks; 0 without MIDI music. */
CONSORT_API int ConsortGetMidiTick(void);
/* Beyond the named entry points: 1 while the device open is the silent driver, because no real
   audio device could be opened; 0 otherwise (also while no device is open). */
CONSORT_API int ConsortGetSilentOutput(void);

#ifdef __cplusplus
}
#endif

#endif
