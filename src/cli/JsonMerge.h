#pragma once

// A three-way merge of two versions of a project file against their common base, done on the
// files' plain-text (JSON) form: records of a list are matched by ID, fields by name, the entries
// of a number table (map cells, curve levels, terrain per chip) by position. A change made on one
// side is taken, the same change made on both sides is taken once, and different changes to the
// same field, entry or record are conflicts. The plain-text form is made from the fields that each
// record describes, so every field a record has is merged without a list of fields here; what a
// kind of file knows beyond that (save counters, view state, which lists have free IDs) it tells
// through its rules.

#include <optional>
#include <string>
#include <vector>

#include "JsonRecords.h"

namespace tarvel::cli {

// The object keys from the top of a document to a value, list positions left out:
// {"Events", "Pages", "Trigger"}.
using JsonKeys = std::vector<std::string>;

struct MergeConflict {
    // The record, field or cell: "heroes #3 \"Alex\" > Name", "LowerLayer (12, 7)".
    std::string where;
    // What happened when the values alone do not say it ("added on both sides"), or empty.
    std::string note;
    // The three values; none where the record is not there.
    std::optional<Json> base, ours, theirs;
};

// "where: note: base V, ours V, theirs V", values as compact JSON ("(none)" where absent) and
// cut when they are long; without any value just "where: note".
std::string DescribeConflict(const MergeConflict& conflict);

class JsonMerge;

// What a kind of file tells the merge.
class JsonMergeRules {
public:
    enum class Policy {
        Merge,  // the user's work: merged, and a conflict when both sides changed it differently
        Ours,   // view state (scroll positions, expanded nodes, the open map): ours, never a conflict
        Larger, // a save counter: the larger of ours and theirs, never a conflict
    };
    virtual ~JsonMergeRules() = default;
    virtual Policy policy(const JsonKeys& keys) const { return Policy::Merge; }
    // A list whose records take any free ID (the events of a map, the nodes of the tree). Every
    // other list numbers its records 1..N, and a merge that would leave a gap is a conflict.
    virtual bool freeIDs(const JsonKeys& keys) const { return false; }
    // The name of entry index of a number table inside its owner object ("(x, y)" for a map
    // cell); empty for "[index]".
    virtual std::string entryName(const JsonKeys& keys, const Json& owner, size_t index) const { return {}; }
    // Called once the whole document is merged: checks what only the whole file shows and brings
    // values that follow from others in step, reporting conflicts to the merge.
    virtual void finish(JsonMerge& merge, Json& merged, const Json& base, const Json& ours,
                        const Json& theirs) const {}
};

class JsonMerge {
public:
    explicit JsonMerge(const JsonMergeRules& rules) : mRules(rules) {}

    // The merged document; where there are conflicts it holds our values for them.
    Json merge(const Json& base, const Json& ours, const Json& theirs);
    void addConflict(MergeConflict conflict) { mConflicts.push_back(std::move(conflict)); }
    const std::vector<MergeConflict>& conflicts() const { return mConflicts; }

    // "#ID" followed by the record's name in quotes when it has one: how a conflict names a record.
    static std::string RecordLabel(const Json& record);

private:
    std::optional<Json> value(JsonKeys& keys, const std::string& where, const Json* owner, const Json* base,
                              const Json* ours, const Json* theirs);
    Json object(JsonKeys& keys, const std::string& where, const Json& base, const Json& ours,
                const Json& theirs);
    Json list(JsonKeys& keys, const std::string& where, const Json& base, const Json& ours,
              const Json& theirs);
    Json table(const JsonKeys& keys, const std::string& where, const Json* owner, const Json& base,
               const Json& ours, const Json& theirs);
    void conflict(const std::string& where, const std::string& note, const Json* base, const Json* ours,
                  const Json* theirs);
    // A conflict over whole records, shown by the members in which they differ.
    void recordConflict(const std::string& where, const std::string& note, const Json* base, const Json* ours,
                        const Json* theirs);

    const JsonMergeRules& mRules;
    std::vector<MergeConflict> mConflicts;
};

} // namespace tarvel::cli
