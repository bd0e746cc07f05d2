// tarvel-cli dump [--raw] FILE: a database, map-tree or map file as JSON (or as its chunk tree)
// on standard output. The file's header picks the kind.
#include <cstdio>

#include "CliCommon.h"
#include "FileKinds.h"

namespace tarvel::cli {

namespace {

const char* const kUsage = "dump [--raw] FILE";

std::string knownHeaders() {
    std::string list;
    for (const FileKind* kind : FileKinds())
        list += std::string(list.empty() ? "" : ", ") + "\"" + kind->header + "\"";
    return list;
}

int runDump(Arguments& args) {
    bool raw = args.takeFlag("--raw");
    std::string path = args.positional(1)[0];
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const std::exception& e) {
        throw CommandError("dump", e.what());
    }
    const FileKind* kind = FileKindOfBytes(bytes);
    if (!kind) throw CommandError("dump", path + ": not a project file (no header " + knownHeaders() + ")");
    auto write = [](const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); };
    if (raw) {
        write(kind->dumpRaw(bytes));
        return 0;
    }
    Json json;
    try {
        json = kind->dump(path);
    } catch (const std::exception& e) {
        throw CommandError("dump", path + ": " + e.what());
    }
    WriteFormattedJson(json, write, kind->rowLength);
    return 0;
}

const Command kDumpCommand{"dump", kUsage, runDump};
const RegisterCommand kRegistered{kDumpCommand};

} // namespace

} // namespace tarvel::cli
