/* The archiver's one entry point: runs an archiver command line and returns 0 on success.

   Unlha(ownerWindow, commandLine, output, size)
     ownerWindow  ignored (no window is ever shown);
     commandLine  for example: a -+ -r2 -d "/tmp/GameDisk/Game.lzh" @/tmp/GameDisk/Response.lst
     output       receives a one-line message (what was archived, or why nothing was); at most
                  size bytes are written, always zero-terminated; may be null, or size 0.

   The only command is "a": it creates a new LHA archive (level-2 headers, -lh5- compression,
   -lh0- for files that do not shrink, -lhd- folder entries). It never changes or deletes an
   existing file: an archive that already exists is refused, and the new one is written to a
   temporary file in the same folder and renamed into place only when complete. Its switches and
   the response file layout are described in ArchiveCommand.h.

   The result is 0 on success, otherwise one of the codes below. */
#ifndef TARVEL_UNLHA_H
#define TARVEL_UNLHA_H

#define UNLHA_OK 0
#define UNLHA_ERROR_COMMAND_LINE 1  /* missing or unknown command or switch, no archive, bad quoting */
#define UNLHA_ERROR_RESPONSE_FILE 2 /* response file missing, unreadable or malformed */
#define UNLHA_ERROR_SOURCE 3        /* a named file or folder is missing, unreadable or too large */
#define UNLHA_ERROR_ARCHIVE 4       /* the archive exists already or cannot be written */
#define UNLHA_ERROR_INTERNAL 5      /* out of memory or another unexpected failure */

#ifdef __cplusplus
extern "C" {
#endif

__attribute__((visibility("default"))) int Unlha(void* ownerWindow, const char* commandLine, char* output,
                                                 unsigned long size);

#ifdef __cplusplus
}
#endif

#endif
