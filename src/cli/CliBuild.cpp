// tarvel-cli build JSON OUT: writes the database, map-tree or map file that the JSON describes.
// The JSON's "kind" picks the file; every field the JSON leaves out takes its reset value.
#include <fstream>
#include <sstream>

#include "CliCommon.h"
#include "FileKinds.h"

namespace tarvel::cli {

namespace {

const char* const kUsage = "build JSON OUT";

std::string knownKinds() {
    std::string list;
    for (const FileKind* kind : FileKinds())
        list += std::string(list.empty() ? "" : ", ") + "\"" + kind->kind + "\"";
    return list;
}

int runBuild(Arguments& args) {
    auto words = args.positional(2);
    const std::string& jsonPath = words[0];
    const std::string& outPath = words[1];
    Json json;
    try {
        std::vector<uint8_t> bytes = ReadWholeFile(jsonPath);
        json = Json::parse(bytes.begin(), bytes.end());
    } catch (const Json::parse_error& e) {
        throw CommandError("build", jsonPath + ": " + e.what());
    } catch (const std::exception& e) {
        throw CommandError("build", e.what());
    }
    if (!json.is_object() || !json.contains("kind") || !json["kind"].is_string())
        throw CommandError("build", jsonPath + ": no \"kind\" (one of " + knownKinds() + ")");
    const FileKind* kind = FileKindNamed(json["kind"].get<std::string>());
    if (!kind)
        throw CommandError("build", jsonPath + ": unknown kind " + json["kind"].dump() + " (one of " +
                                        knownKinds() + ")");
    try {
        kind->build(json, outPath);
    } catch (const JsonFormatError& e) {
        throw CommandError("build", jsonPath + ": " + e.what());
    } catch (const std::exception& e) {
        throw CommandError("build", e.what());
    }
    return 0;
}

const Command kBuildCommand{"build", kUsage, runBuild};
const RegisterCommand kRegistered{kBuildCommand};

} // namespace

} // namespace tarvel::cli
