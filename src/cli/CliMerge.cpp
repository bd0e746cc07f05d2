// tarvel-cli merge BASE OURS THEIRS [-o OUT]: a three-way merge of two versions of the same
// database, map-tree or map file against their common base, by record and field. Without
// conflicts it writes the merged file and exits 0; with conflicts it lists them, writes our
// version and exits 1. Without -o the result replaces OURS, as git's merge drivers expect.
#include <cstdio>
#include <filesystem>

#include "CliCommon.h"
#include "FileKinds.h"
#include "JsonMerge.h"
#include "MergeRules.h"

namespace tarvel::cli {

namespace {

const char* const kUsage = "merge BASE OURS THEIRS [-o OUT]";

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
}

int runMerge(Arguments& args) {
    std::string out = args.takeOption("-o");
    auto words = args.positional(3);
    const std::string& oursPath = words[1];
    if (out.empty()) out = oursPath;

    std::vector<uint8_t> bytes[3];
    const FileKind* kinds[3] = {};
    for (int side = 0; side < 3; ++side) {
        try {
            bytes[side] = ReadWholeFile(words[side]);
        } catch (const std::exception& e) {
            throw CommandError("merge", e.what());
        }
        kinds[side] = FileKindOfBytes(bytes[side]);
    }
    const FileKind* kind = kinds[1];
    if (!kind) throw CommandError("merge", oursPath + ": not a project file");
    // An empty base is how git gives a file that both sides added.
    bool hasBase = !bytes[0].empty();
    for (int side : {0, 2})
        if (kinds[side] != kind && (side == 2 || hasBase))
            throw CommandError("merge", words[side] + ": not a " + kind->kind + " file like " + oursPath);

    auto keepOurs = [&] {
        if (!sameFile(out, oursPath)) WriteFileAtomically(out, bytes[1].data(), bytes[1].size());
    };
    if (bytes[1] == bytes[2]) {
        keepOurs();
        return 0;
    }

    std::vector<MergeConflict> conflicts;
    if (!hasBase) {
        conflicts.push_back({"the whole file", "added on both sides, with different contents", {}, {}, {}});
    } else {
        Json versions[3];
        for (int side = 0; side < 3; ++side) {
            try {
                versions[side] = kind->dump(words[side]);
            } catch (const std::exception& e) {
                throw CommandError("merge", words[side] + ": " + e.what());
            }
        }
        JsonMerge merge(MergeRulesFor(kind->kind));
        Json merged = merge.merge(versions[0], versions[1], versions[2]);
        conflicts = merge.conflicts();
        if (conflicts.empty()) {
            try {
                kind->build(merged, out);
                return 0;
            } catch (const JsonFormatError& e) {
                // Changes that each hold on their own but not together (a size from one side, a
                // layer from the other): our version stays, as with any conflict.
                conflicts.push_back(
                    {"the merged file", std::string("does not hold together: ") + e.what(), {}, {}, {}});
            } catch (const std::exception& e) {
                throw CommandError("merge", e.what());
            }
        }
    }
    for (const MergeConflict& conflict : conflicts)
        std::printf("CONFLICT (%s): %s\n", kind->kind, DescribeConflict(conflict).c_str());
    std::fflush(stdout);
    keepOurs();
    throw CommandError("merge", oursPath + ": " + std::to_string(conflicts.size()) +
                                    (conflicts.size() == 1 ? " conflict" : " conflicts") +
                                    ", our version is kept");
}

const Command kMergeCommand{"merge", kUsage, runMerge};
const RegisterCommand kRegistered{kMergeCommand};

} // namespace

} // namespace tarvel::cli
