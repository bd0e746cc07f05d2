/* The archiver's one entry point: runs an archiver command line ("a -+ -r2 -d "archive"
   @response") and returns 0 on success. Messages go into output (size bytes, may be null). */
#ifndef TARVEL_UNLHA_H
#define TARVEL_UNLHA_H

#ifdef __cplusplus
extern "C" {
#endif

__attribute__((visibility("default"))) int Unlha(void* ownerWindow, const char* commandLine, char* output,
                                                 unsigned long size);

#ifdef __cplusplus
}
#endif

#endif
