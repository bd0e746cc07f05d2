// tarvel-cli merge BASE OURS THEIRS [-o OUT]: a three-way merge of two versions of the same
// database, map-tree or map file against their common base, by record and field. Without
// conflicts it writes the merged file and exits 0; with conflicts it lists them, writes our
// version and exits 1. Without -o the result replaces OURS, as git's merge drivers expect.
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "CliCommon.h"
#include "FileKinds.h"
#include "JsonData.h"
#include "JsonMerge.h"
#include "MergeRules.h"
#include "RecordCompare.h"

namespace tarvel::cli {

namespace {

const char* const kUsage = "merge BASE OURS THEIRS [-o OUT]";

enum Side { Base, Ours, Theirs };

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
}

// Merged files that hold conflicts are not written; one that does not hold together is a
// conflict too (changes that each stand on their own but not together: a size from one side and
// a layer from the other), so our version stays, as with any conflict.
std::vector<MergeConflict> writeUnlessConflicts(const std::vector<MergeConflict>& conflicts,
                                                const std::function<void()>& write) {
    if (!conflicts.empty()) return conflicts;
    try {
        write();
    } catch (const JsonFormatError& e) {
        return {{"the merged file", std::string("does not hold together: ") + e.what(), {}, {}, {}}};
    } catch (const std::exception& e) {
        throw CommandError("merge", e.what());
    }
    return {};
}

// The map and the map tree: the whole files in their JSON form.
std::vector<MergeConflict> mergeWhole(const FileKind& kind, const std::vector<std::string>& paths,
                                      const std::string& out) {
    Json versions[3];
    for (int side : {Base, Ours, Theirs}) {
        try {
            versions[side] = kind.dump(paths[side]);
        } catch (const std::exception& e) {
            throw CommandError("merge", paths[side] + ": " + e.what());
        }
    }
    JsonMerge merge(MergeRulesFor(kind.kind));
    Json merged = merge.merge(versions[Base], versions[Ours], versions[Theirs]);
    return writeUnlessConflicts(merge.conflicts(), [&] { kind.build(merged, out); });
}

// Where each section's payload lies in a database file, by chunk ID (the last one of an ID, as
// the reader takes it).
std::map<int, std::pair<size_t, size_t>> sectionSpans(const std::vector<uint8_t>& bytes) {
    std::map<int, std::pair<size_t, size_t>> spans;
    TMemoryStream stream(bytes);
    ReadVarString(stream);
    while (stream.Position() < stream.Size()) {
        int id = static_cast<int>(ReadVarInt(stream));
        uint32_t length = ReadVarInt(stream);
        if (length > static_cast<uint64_t>(stream.Remaining())) throw EReadError();
        spans[id] = {static_cast<size_t>(stream.Position()), length};
        stream.SetPosition(stream.Position() + static_cast<int64_t>(length));
    }
    return spans;
}

// The IDs whose records are alike in all three lists.
std::set<int32_t> unchangedItems(const TCatalog* (&lists)[3]) {
    std::set<int32_t> ids;
    for (const auto& item : *lists[Ours]) {
        const TCatalogItem* base = lists[Base]->Find(item->ID);
        const TCatalogItem* theirs = lists[Theirs]->Find(item->ID);
        if (base && theirs && SameFields(*item, *base) && SameFields(*item, *theirs)) ids.insert(item->ID);
    }
    return ids;
}

// A list in its JSON form, the records in unchanged as bare {"ID"}: alike on all sides, they
// merge as they are without being converted.
Json listWithout(const TCatalog& list, const std::set<int32_t>& unchanged) {
    Json array = Json::array();
    for (const auto& item : list)
        array.push_back(unchanged.count(item->ID) ? Json{{"ID", item->ID}} : RecordToJson(*item));
    return array;
}

// The database section by section. A list section that only one side changed (or both alike) is
// taken as that side's bytes, and in one that both changed only the records that differ somewhere
// are merged in their JSON form; so a merge of a large database spends its time on what changed.
std::vector<MergeConflict> mergeDataBases(const std::vector<std::string>& paths,
                                          const std::vector<uint8_t> (&bytes)[3], const std::string& out) {
    TQelDataBase versions[3];
    std::map<int, std::pair<size_t, size_t>> spans[3];
    for (int side : {Base, Ours, Theirs}) {
        try {
            versions[side].LoadFromFile(paths[side]);
            spans[side] = sectionSpans(bytes[side]);
        } catch (const std::exception& e) {
            throw CommandError("merge", paths[side] + ": " + e.what());
        }
    }
    // Per section: the side whose bytes are taken, and the records of a merged list left as
    // they are in ours.
    std::map<int, Side> takenWhole;
    std::map<int, std::set<int32_t>> unchanged;
    Json documents[3];
    for (int side : {Base, Ours, Theirs})
        documents[side] = Json{{"kind", "database"}};
    for (int id = FirstDataBaseSection; id <= LastDataBaseSection; ++id) {
        const TCatalog* lists[3];
        for (int side : {Base, Ours, Theirs})
            lists[side] = dynamic_cast<const TCatalog*>(versions[side].Section(id));
        const char* key = DataBaseSectionKey(id);
        if (!lists[Base]) {
            for (int side : {Base, Ours, Theirs})
                documents[side][key] = DataBaseSectionToJson(versions[side], id);
            continue;
        }
        if (SameItems(*lists[Ours], *lists[Theirs]) || SameItems(*lists[Base], *lists[Theirs])) {
            takenWhole[id] = Ours;
        } else if (SameItems(*lists[Base], *lists[Ours])) {
            takenWhole[id] = Theirs;
        } else {
            unchanged[id] = unchangedItems(lists);
            for (int side : {Base, Ours, Theirs})
                documents[side][key] = listWithout(*lists[side], unchanged[id]);
        }
    }
    JsonMerge merge(MergeRulesFor("database"));
    Json merged = merge.merge(documents[Base], documents[Ours], documents[Theirs]);
    return writeUnlessConflicts(merge.conflicts(), [&] {
        TQelDataBase result;
        // A section exactly as a side's file holds it; one missing there is the reset section it
        // loaded as.
        auto takeBytes = [&](int id, Side side) {
            auto span = spans[side].find(id);
            if (span == spans[side].end()) return;
            TMemoryStream section(bytes[side].data() + span->second.first, span->second.second);
            result.Section(id)->LoadFromStream(section);
        };
        for (int id = FirstDataBaseSection; id <= LastDataBaseSection; ++id) {
            const char* key = DataBaseSectionKey(id);
            auto whole = takenWhole.find(id);
            if (whole != takenWhole.end()) {
                takeBytes(id, whole->second);
                continue;
            }
            auto kept = unchanged.find(id);
            if (kept == unchanged.end()) {
                DataBaseSectionFromJson(result, id, merged[key]);
                continue;
            }
            // Ours, then what the merge changed: records it set, records it dropped.
            takeBytes(id, Ours);
            auto& list = *static_cast<TCatalog*>(result.Section(id));
            std::set<int32_t> present;
            for (size_t i = 0; i < merged[key].size(); ++i) {
                const Json& item = merged[key][i];
                auto itemID = item["ID"].get<int32_t>();
                present.insert(itemID);
                if (!kept->second.count(itemID))
                    RecordFromJson(*list.FindOrCreate(itemID), item,
                                   std::string(key) + "[" + std::to_string(i) + "]");
            }
            std::vector<int32_t> dropped;
            for (const auto& item : list)
                if (!present.count(item->ID)) dropped.push_back(item->ID);
            for (int32_t itemID : dropped)
                list.Delete(itemID);
        }
        // Written with the merged counter: the save would otherwise count once more.
        auto& counter = result.System().SaveCount;
        counter = static_cast<int32_t>(static_cast<uint32_t>(counter) - 1u);
        result.SaveToFile(out);
    });
}

int runMerge(Arguments& args) {
    std::string out = args.takeOption("-o");
    std::vector<std::string> paths = args.positional(3);
    const std::string& oursPath = paths[Ours];
    if (out.empty()) out = oursPath;

    std::vector<uint8_t> bytes[3];
    const FileKind* kinds[3] = {};
    for (int side : {Base, Ours, Theirs}) {
        try {
            bytes[side] = ReadWholeFile(paths[side]);
        } catch (const std::exception& e) {
            throw CommandError("merge", e.what());
        }
        kinds[side] = FileKindOfBytes(bytes[side]);
    }
    const FileKind* kind = kinds[Ours];
    if (!kind) throw CommandError("merge", oursPath + ": not a project file");
    // An empty base is how git gives a file that both sides added.
    bool hasBase = !bytes[Base].empty();
    for (int side : {Base, Theirs})
        if (kinds[side] != kind && (side == Theirs || hasBase))
            throw CommandError("merge", paths[side] + ": not a " + kind->kind + " file like " + oursPath);

    auto keepOurs = [&] {
        if (!sameFile(out, oursPath)) WriteFileAtomically(out, bytes[Ours].data(), bytes[Ours].size());
    };
    if (bytes[Ours] == bytes[Theirs]) {
        keepOurs();
        return 0;
    }

    std::vector<MergeConflict> conflicts;
    if (!hasBase)
        conflicts.push_back({"the whole file", "added on both sides, with different contents", {}, {}, {}});
    else if (std::string(kind->kind) == "database")
        conflicts = mergeDataBases(paths, bytes, out);
    else
        conflicts = mergeWhole(*kind, paths, out);
    if (conflicts.empty()) return 0;

    for (const MergeConflict& conflict : conflicts)
        std::printf("CONFLICT (%s): %s\n", kind->kind, DescribeConflict(conflict).c_str());
    std::fflush(stdout);
    keepOurs();
    // No file name: under git OURS is a temporary file, and git names the file itself.
    throw CommandError("merge", std::to_string(conflicts.size()) +
                                    (conflicts.size() == 1 ? " conflict" : " conflicts") +
                                    ", our version is kept");
}

const Command kMergeCommand{"merge", kUsage, runMerge};
const RegisterCommand kRegistered{kMergeCommand};

} // namespace

} // namespace tarvel::cli
