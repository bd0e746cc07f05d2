#include "CliScriptContext.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace tarvel::cli {

namespace {

// Runs a reader and turns its failure into the command's one-line error.
template <typename Read>
void readOrFail(const std::string& path, const std::string& command, const char* kind, Read read) {
    try {
        read();
    } catch (const EReadError&) {
        throw CommandError(command, path + ": not a readable " + kind + " (broken or cut short)");
    } catch (const std::exception& e) {
        throw CommandError(command, path + ": " + e.what());
    }
}

} // namespace

std::unique_ptr<TQelDataBase> ReadDataBaseFile(const std::string& path, const std::string& command) {
    auto db = std::make_unique<TQelDataBase>();
    readOrFail(path, command, "database", [&] { db->LoadFromFile(path); });
    return db;
}

std::unique_ptr<TQelMapTree> ReadMapTreeFile(const std::string& path, const std::string& command) {
    auto tree = std::make_unique<TQelMapTree>();
    readOrFail(path, command, "map tree", [&] {
        TMemoryStream stream;
        stream.LoadFromFile(path);
        tree->LoadFromFileStream(stream);
    });
    return tree;
}

std::unique_ptr<TQelMap> ReadMapFile(const std::string& path, const std::string& command) {
    auto map = std::make_unique<TQelMap>();
    readOrFail(path, command, "map", [&] { map->ReadFile(path); });
    return map;
}

int32_t IntegerOption(Arguments& args, const std::string& name, int32_t fallback, int32_t low, int32_t high) {
    if (!args.hasOption(name)) return fallback;
    std::string text = args.takeOption(name);
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end || errno || value < low || value > high)
        throw UsageError(name + " takes a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ": " + args.usage());
    return static_cast<int32_t>(value);
}

void PrintScript(const TEventScriptConverter& converter, const TQelEventScriptList& script) {
    std::string out;
    for (const auto& line : script) {
        out += converter.DescribeLine(*line);
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

} // namespace tarvel::cli
