#pragma once

#include <string>

namespace tarvel::unlha {

// Runs an archiver command line (see CommandLine.h) and returns the result code of unlha.h;
// message receives what was archived, or why nothing was. Never throws.
int RunUnlhaCommand(const char* commandLine, std::string& message);

} // namespace tarvel::unlha
