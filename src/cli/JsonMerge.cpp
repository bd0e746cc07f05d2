#include "JsonMerge.h"

#include <algorithm>
#include <map>

namespace tarvel::cli {

namespace {

// Longer values are cut in a conflict line; the files themselves show them whole.
constexpr size_t kShownValueLength = 160;

bool same(const Json* a, const Json* b) {
    if (!a || !b) return a == b;
    return *a == *b;
}

const Json* member(const Json& object, const std::string& key) {
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

std::string joined(const std::string& where, const std::string& part) {
    return where.empty() ? part : where + " > " + part;
}

// A list as the plain-text form writes one: every element a record with its "ID" (an empty array
// may be a list too).
bool isList(const Json& array) {
    return std::all_of(array.begin(), array.end(), [](const Json& element) {
        return element.is_object() && element.contains("ID") && element["ID"].is_number_integer();
    });
}

bool isNumberTable(const Json& array) {
    return std::all_of(array.begin(), array.end(), [](const Json& element) { return element.is_number(); });
}

std::map<int64_t, const Json*> byID(const Json& list) {
    std::map<int64_t, const Json*> items;
    for (const Json& item : list)
        items.emplace(item["ID"].get<int64_t>(), &item);
    return items;
}

// The IDs run 1..N, as in a database section or the pages of an event.
bool isDense(const Json& list) {
    int64_t expected = 1;
    for (const Json& item : list)
        if (item["ID"].get<int64_t>() != expected++) return false;
    return true;
}

Json idsOf(const Json& list) {
    Json ids = Json::array();
    for (const Json& item : list)
        ids.push_back(item["ID"]);
    return ids;
}

// Fields named <P>X and <P>Y (with <P>MapID when the record has it) are one position: a cell taken
// from one side and the other side's column would put the thing where neither side put it.
std::vector<std::string> positionGroup(const std::vector<std::string>& keys, const std::string& key) {
    if (key.empty() || key.back() != 'X') return {};
    std::string prefix = key.substr(0, key.size() - 1);
    auto has = [&](const std::string& k) { return std::find(keys.begin(), keys.end(), k) != keys.end(); };
    if (!has(prefix + "Y")) return {};
    std::vector<std::string> group;
    if (has(prefix + "MapID")) group.push_back(prefix + "MapID");
    group.push_back(prefix + "X");
    group.push_back(prefix + "Y");
    return group;
}

std::optional<Json> copied(const Json* value) {
    return value ? std::optional<Json>(*value) : std::nullopt;
}

// For a conflict over whole records: only the members in which the versions there differ, so
// the line shows what tells them apart.
void keepDiffering(std::optional<Json> (&values)[3]) {
    std::vector<std::string> keys;
    for (const auto& value : values)
        if (value && value->is_object())
            for (auto it = value->begin(); it != value->end(); ++it)
                keys.push_back(it.key());
    for (const std::string& key : keys) {
        const Json* first = nullptr;
        bool differs = false;
        for (const auto& value : values) {
            if (!value) continue;
            const Json* v = value->is_object() ? member(*value, key) : nullptr;
            if (!first)
                first = v ? v : &*value;
            else if (!same(first, v))
                differs = true;
        }
        if (!differs)
            for (auto& value : values)
                if (value && value->is_object()) value->erase(key);
    }
}

} // namespace

std::string DescribeConflict(const MergeConflict& c) {
    auto shown = [](const std::optional<Json>& value) {
        if (!value) return std::string("(none)");
        std::string text = value->dump();
        if (text.size() > kShownValueLength) {
            // Never inside a character.
            size_t cut = kShownValueLength;
            while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
                --cut;
            text = text.substr(0, cut) + "...";
        }
        return text;
    };
    std::string text = c.where + (c.note.empty() ? "" : ": " + c.note);
    if (!c.base && !c.ours && !c.theirs) return text;
    return text + ": base " + shown(c.base) + ", ours " + shown(c.ours) + ", theirs " + shown(c.theirs);
}

std::string JsonMerge::RecordLabel(const Json& record) {
    std::string label = "#" + record["ID"].dump();
    auto name = record.find("Name");
    if (name != record.end() && name->is_string() && !name->get<std::string>().empty())
        label += " " + name->dump();
    return label;
}

Json JsonMerge::merge(const Json& base, const Json& ours, const Json& theirs) {
    JsonKeys keys;
    Json merged = value(keys, "", nullptr, &base, &ours, &theirs).value_or(Json());
    mRules.finish(*this, merged, base, ours, theirs);
    return merged;
}

void JsonMerge::conflict(const std::string& where, const std::string& note, const Json* base,
                         const Json* ours, const Json* theirs) {
    addConflict({where, note, copied(base), copied(ours), copied(theirs)});
}

void JsonMerge::recordConflict(const std::string& where, const std::string& note, const Json* base,
                               const Json* ours, const Json* theirs) {
    std::optional<Json> values[3] = {copied(base), copied(ours), copied(theirs)};
    keepDiffering(values);
    addConflict({where, note, values[0], values[1], values[2]});
}

std::optional<Json> JsonMerge::value(JsonKeys& keys, const std::string& where, const Json* owner,
                                     const Json* base, const Json* ours, const Json* theirs) {
    switch (mRules.policy(keys)) {
    case JsonMergeRules::Policy::Ours:
        return copied(ours ? ours : theirs);
    case JsonMergeRules::Policy::Larger:
        if (ours && theirs && ours->is_number() && theirs->is_number())
            return *theirs > *ours ? *theirs : *ours;
        return copied(ours ? ours : theirs);
    case JsonMergeRules::Policy::Merge:
        break;
    }
    if (same(ours, theirs)) return copied(ours);
    // Records, lists and tables are looked into even when only one side changed them, so that
    // the save counters and view state inside them follow their rules.
    if (base && ours && theirs) {
        if (base->is_object() && ours->is_object() && theirs->is_object())
            return object(keys, where, *base, *ours, *theirs);
        if (base->is_array() && ours->is_array() && theirs->is_array()) {
            if (isList(*base) && isList(*ours) && isList(*theirs))
                return list(keys, where, *base, *ours, *theirs);
            if (isNumberTable(*base) && isNumberTable(*ours) && isNumberTable(*theirs) &&
                base->size() == ours->size() && ours->size() == theirs->size())
                return table(keys, where, owner, *base, *ours, *theirs);
        }
    }
    if (same(base, ours)) return copied(theirs);
    if (same(base, theirs)) return copied(ours);
    conflict(where, "", base, ours, theirs);
    return copied(ours);
}

Json JsonMerge::object(JsonKeys& keys, const std::string& where, const Json& base, const Json& ours,
                       const Json& theirs) {
    // Our keys in our order, then any the others have besides.
    std::vector<std::string> names;
    for (const Json* side : {&ours, &theirs, &base})
        for (auto it = side->begin(); it != side->end(); ++it)
            if (std::find(names.begin(), names.end(), it.key()) == names.end()) names.push_back(it.key());

    std::map<std::string, std::optional<Json>> results;
    for (const std::string& name : names) {
        if (results.count(name)) continue;
        std::vector<std::string> group = positionGroup(names, name);
        bool grouped = group.size() > 1 && std::all_of(group.begin(), group.end(), [&](const std::string& k) {
                           keys.push_back(k);
                           bool merged = mRules.policy(keys) == JsonMergeRules::Policy::Merge;
                           keys.pop_back();
                           return merged;
                       });
        if (grouped) {
            Json parts[3];
            const Json* sides[3] = {&base, &ours, &theirs};
            for (int s = 0; s < 3; ++s) {
                parts[s] = Json::object();
                for (const std::string& k : group)
                    if (const Json* v = member(*sides[s], k)) parts[s][k] = *v;
            }
            const Json* chosen = &parts[1];
            if (parts[1] != parts[2]) {
                if (parts[0] == parts[1])
                    chosen = &parts[2];
                else if (parts[0] != parts[2]) {
                    std::string label;
                    for (const std::string& k : group)
                        label += (label.empty() ? "" : ", ") + k;
                    conflict(joined(where, label), "", &parts[0], &parts[1], &parts[2]);
                }
            }
            for (const std::string& k : group)
                results[k] = copied(member(*chosen, k));
            continue;
        }
        keys.push_back(name);
        results[name] = value(keys, joined(where, name), &ours, member(base, name), member(ours, name),
                              member(theirs, name));
        keys.pop_back();
    }
    Json merged = Json::object();
    for (const std::string& name : names)
        if (results[name]) merged[name] = std::move(*results[name]);
    return merged;
}

Json JsonMerge::list(JsonKeys& keys, const std::string& where, const Json& base, const Json& ours,
                     const Json& theirs) {
    auto baseItems = byID(base), ourItems = byID(ours), theirItems = byID(theirs);
    std::vector<int64_t> ids;
    for (const auto* items : {&baseItems, &ourItems, &theirItems})
        for (const auto& [id, item] : *items)
            ids.push_back(id);
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());

    auto find = [](const std::map<int64_t, const Json*>& items, int64_t id) -> const Json* {
        auto it = items.find(id);
        return it == items.end() ? nullptr : it->second;
    };
    Json merged = Json::array();
    for (int64_t id : ids) {
        const Json* b = find(baseItems, id);
        const Json* o = find(ourItems, id);
        const Json* t = find(theirItems, id);
        std::string label = where + " " + RecordLabel(b ? *b : o ? *o : *t);
        std::optional<Json> item;
        if (b && o && t) {
            item = value(keys, label, nullptr, b, o, t);
        } else if (b) {
            // Deleted on one side (or both): gone, unless the other side changed it meanwhile.
            const Json* kept = o ? o : t;
            if (kept && *kept != *b) {
                recordConflict(label, "deleted on one side, changed on the other", b, o, t);
                item = copied(o);
            }
        } else if (o && t) {
            item = *o;
            if (*o != *t) recordConflict(label, "added on both sides", nullptr, o, t);
        } else {
            item = *(o ? o : t);
        }
        if (item) merged.push_back(std::move(*item));
    }
    // A list numbered 1..N (a database section, the pages of an event) stays so: an ID left out
    // between others would break what relies on the numbering. Removing a record from the middle
    // of such a list renumbers the ones after it, so records that both sides removed cannot be
    // matched by ID: two different shortenings are a conflict too.
    if (!mRules.freeIDs(keys) && isDense(base) && isDense(ours) && isDense(theirs)) {
        Json b = idsOf(base), o = idsOf(ours), t = idsOf(theirs);
        if (!isDense(merged))
            conflict(where,
                     "the IDs would no longer run 1.." + std::to_string(merged.size()) + " (" +
                         idsOf(merged).dump() + ")",
                     &b, &o, &t);
        else if (ours.size() < base.size() && theirs.size() < base.size() && ours != theirs)
            conflict(where, "records removed on both sides", &b, &o, &t);
    }
    return merged;
}

Json JsonMerge::table(const JsonKeys& keys, const std::string& where, const Json* owner, const Json& base,
                      const Json& ours, const Json& theirs) {
    Json merged = ours;
    for (size_t i = 0; i < ours.size(); ++i) {
        const Json &b = base[i], &o = ours[i], &t = theirs[i];
        if (o == t || b == t) continue;
        if (b == o) {
            merged[i] = t;
            continue;
        }
        std::string entry = owner ? mRules.entryName(keys, *owner, i) : std::string();
        conflict(where + " " + (entry.empty() ? "[" + std::to_string(i) + "]" : entry), "", &b, &o, &t);
    }
    return merged;
}

} // namespace tarvel::cli
