// The archiver's exported entry point. The editor loads this library by name at start-up.
#include "unlha.h"

#include <cstring>

extern "C" int Unlha(void*, const char*, char* output, unsigned long size) {
    // Archive writing arrives with game disk creation; until then every command fails honestly.
    static const char message[] = "Unlha: archive writing is not available in this build";
    if (output && size) {
        std::strncpy(output, message, size - 1);
        output[size - 1] = '\0';
    }
    return 1;
}
