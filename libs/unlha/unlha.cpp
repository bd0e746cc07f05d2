// The archiver's exported entry point. The editor loads this library by name at start-up.
#include "unlha.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "ArchiveCommand.h"

extern "C" int Unlha(void*, const char* commandLine, char* output, unsigned long size) {
    std::string message;
    int code = tarvel::unlha::RunUnlhaCommand(commandLine, message);
    if (output && size) {
        size_t n = std::min<size_t>(message.size(), size - 1);
        std::memcpy(output, message.data(), n);
        output[n] = '\0';
    }
    return code;
}
