// The archiver's command line, response file and wildcard readers over arbitrary bytes: they must
// never crash, refuse only with the command-line or response-file codes, and whatever they accept
// must be usable (an archive name, something to archive, names that stay inside their base).
#include <cstdlib>
#include <string>

#include "CommandLine.h"
#include "SourceCollector.h"
#include "UnlhaError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel::unlha;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\n');
    const std::string line = input.substr(0, split);
    const std::string rest = split == std::string::npos ? std::string() : input.substr(split + 1);

    try {
        CommandLine command = ParseCommandLine(line);
        if (command.archive.empty()) std::abort();
        if (command.responseFiles.empty() && command.names.empty()) std::abort();
    } catch (const UnlhaError& e) {
        if (e.Code() != UNLHA_ERROR_COMMAND_LINE) std::abort();
    }

    try {
        std::vector<std::string> parts;
        for (const SourceGroup& group : ParseResponseText(rest, "fuzz.lst")) {
            for (const std::string& name : group.names) {
                if (!SplitSourceName(name, parts).empty()) std::abort();
                for (const std::string& part : parts)
                    if (part.empty() || part == ".." || part.find_first_of("/\\") != std::string::npos)
                        std::abort();
            }
        }
    } catch (const UnlhaError& e) {
        if (e.Code() != UNLHA_ERROR_RESPONSE_FILE) std::abort();
    }

    // The first line as a pattern against the second: any answer but no crash; a name without
    // wildcards matches itself, and "*" matches anything.
    const std::string second = rest.substr(0, rest.find('\n'));
    MatchesWildcard(line, second);
    if (line.find_first_of("*?") == std::string::npos && !MatchesWildcard(line, line)) std::abort();
    if (!MatchesWildcard("*", second)) std::abort();
    return 0;
}
