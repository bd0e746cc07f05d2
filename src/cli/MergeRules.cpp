#include "MergeRules.h"

#include <algorithm>
#include <functional>
#include <list>
#include <map>
#include <set>

namespace tarvel::cli {

namespace {

using Policy = JsonMergeRules::Policy;

int64_t integerOr(const Json& object, const char* key, int64_t fallback) {
    auto it = object.find(key);
    return it != object.end() && it->is_number_integer() ? it->get<int64_t>() : fallback;
}

const Json& listOf(const Json& document, const char* key) {
    static const Json empty = Json::array();
    auto it = document.find(key);
    return it != document.end() && it->is_array() ? *it : empty;
}

// --- database ---

class DataBaseRules : public JsonMergeRules {
public:
    Policy policy(const JsonKeys& keys) const override {
        return keys == JsonKeys{"system", "SaveCount"} ? Policy::Larger : Policy::Merge;
    }
};

// --- map ---

class MapRules : public JsonMergeRules {
public:
    Policy policy(const JsonKeys& keys) const override {
        return keys == JsonKeys{"SaveCount"} ? Policy::Larger : Policy::Merge;
    }
    bool freeIDs(const JsonKeys& keys) const override { return keys == JsonKeys{"Events"}; }
    std::string entryName(const JsonKeys& keys, const Json& owner, size_t index) const override {
        int64_t width = integerOr(owner, "Width", 0);
        if (keys.size() != 1 || width <= 0) return {};
        auto w = static_cast<size_t>(width);
        return "(" + std::to_string(index % w) + ", " + std::to_string(index / w) + ")";
    }
    // The editor puts one event on a cell and finds events by their cell; two that the merge
    // brought onto the same cell could not both be reached there.
    void finish(JsonMerge& merge, Json& merged, const Json& base, const Json& ours,
                const Json& theirs) const override {
        using Cell = std::pair<int64_t, int64_t>;
        auto cells = [](const Json& document) {
            std::map<Cell, std::vector<int64_t>> at;
            for (const Json& event : listOf(document, "Events"))
                at[{integerOr(event, "X", 0), integerOr(event, "Y", 0)}].push_back(integerOr(event, "ID", 0));
            return at;
        };
        auto mergedCells = cells(merged), baseCells = cells(base), ourCells = cells(ours),
             theirCells = cells(theirs);
        for (const auto& [cell, ids] : mergedCells) {
            if (ids.size() < 2 || ourCells[cell] == ids || theirCells[cell] == ids) continue;
            std::string where =
                "cell (" + std::to_string(cell.first) + ", " + std::to_string(cell.second) + ")";
            merge.addConflict({where, "events " + Json(ids).dump() + " would stand on one cell",
                               Json(baseCells[cell]), Json(ourCells[cell]), Json(theirCells[cell])});
        }
    }
};

// --- map tree ---

// One version of the tree: each node's parent and the display order.
struct TreeShape {
    std::map<int64_t, int64_t> parent;
    std::vector<int64_t> order;

    explicit TreeShape(const Json& document) {
        for (const Json& node : listOf(document, "Items"))
            parent[integerOr(node, "ID", 0)] = integerOr(node, "ParentID", 0);
        for (const Json& id : listOf(document, "Order"))
            if (id.is_number_integer()) order.push_back(id.get<int64_t>());
    }
    // The children of a node in display order, as far as they are among the wanted ones.
    std::vector<int64_t> children(int64_t of, const std::set<int64_t>& wanted) const {
        std::vector<int64_t> out;
        for (int64_t id : order) {
            auto it = parent.find(id);
            if (it != parent.end() && it->second == of && id != of && wanted.count(id) &&
                std::find(out.begin(), out.end(), id) == out.end())
                out.push_back(id);
        }
        return out;
    }
};

std::vector<int64_t> onlyThose(const std::vector<int64_t>& ids, const std::set<int64_t>& those) {
    std::vector<int64_t> out;
    std::copy_if(ids.begin(), ids.end(), std::back_inserter(out),
                 [&](int64_t id) { return those.count(id); });
    return out;
}

class MapTreeRules : public JsonMergeRules {
public:
    Policy policy(const JsonKeys& keys) const override {
        // Where the user looked last, and which nodes were open: ours. The order and the depths
        // follow from the parents and are made again once the nodes are merged.
        if (keys == JsonKeys{"ActiveID"} || keys == JsonKeys{"Order"}) return Policy::Ours;
        if (keys.size() == 2 && keys[0] == "Items" &&
            (keys[1] == "ScrollX" || keys[1] == "ScrollY" || keys[1] == "Expanded" || keys[1] == "Depth"))
            return Policy::Ours;
        return Policy::Merge;
    }
    bool freeIDs(const JsonKeys& keys) const override { return keys == JsonKeys{"Items"}; }

    void finish(JsonMerge& merge, Json& merged, const Json& base, const Json& ours,
                const Json& theirs) const override {
        if (!merged.contains("Items") || !merged["Items"].is_array()) return;
        std::map<int64_t, Json*> nodes;
        for (Json& node : merged["Items"])
            nodes[integerOr(node, "ID", 0)] = &node;
        if (!everyParentHolds(merge, nodes, base, ours, theirs)) return;

        // Depths from the parents, the root at 0.
        std::map<int64_t, int64_t> depth;
        std::function<int64_t(int64_t)> depthOf = [&](int64_t id) -> int64_t {
            auto known = depth.find(id);
            if (known != depth.end()) return known->second;
            int64_t parent = integerOr(*nodes[id], "ParentID", 0);
            int64_t d = parent == id || !nodes.count(parent) ? 0 : depthOf(parent) + 1;
            return depth[id] = d;
        };
        for (auto& [id, node] : nodes)
            (*node)["Depth"] = depthOf(id);

        merged["Order"] = order(merge, nodes, TreeShape(base), TreeShape(ours), TreeShape(theirs));

        // The open map stays ours while it is still there.
        int64_t active = integerOr(ours, "ActiveID", 0);
        if (!nodes.count(active) && nodes.count(integerOr(theirs, "ActiveID", 0)))
            merged["ActiveID"] = integerOr(theirs, "ActiveID", 0);
    }

private:
    // Every node hangs under a node of the merged tree, and no node under its own subtree.
    static bool everyParentHolds(JsonMerge& merge, const std::map<int64_t, Json*>& nodes, const Json& base,
                                 const Json& ours, const Json& theirs) {
        bool holds = true;
        auto parentIn = [](const Json& document, int64_t id) -> std::optional<Json> {
            for (const Json& node : listOf(document, "Items"))
                if (integerOr(node, "ID", 0) == id) return Json(integerOr(node, "ParentID", 0));
            return std::nullopt;
        };
        for (const auto& [id, node] : nodes) {
            int64_t parent = integerOr(*node, "ParentID", 0);
            std::string where = "Items " + JsonMerge::RecordLabel(*node) + " > ParentID";
            // Parent 0 without a root node is how the tree is when it has no root at all.
            if (parent != id && parent != 0 && !nodes.count(parent)) {
                merge.addConflict({where, "its parent is no longer in the tree", parentIn(base, id),
                                   parentIn(ours, id), parentIn(theirs, id)});
                holds = false;
                continue;
            }
            std::set<int64_t> seen{id};
            for (int64_t up = parent; up != 0 && nodes.count(up);) {
                int64_t next = integerOr(*nodes.at(up), "ParentID", 0);
                if (next == up) break;
                if (!seen.insert(up).second) {
                    merge.addConflict({where, "the node would lie inside its own subtree", parentIn(base, id),
                                       parentIn(ours, id), parentIn(theirs, id)});
                    holds = false;
                    break;
                }
                up = next;
            }
        }
        return holds;
    }

    // The display order: every node followed by its subtree, the children of each node in the
    // order of the side that rearranged them (ours when neither or both did; both rearranging
    // the same children differently is a conflict), with the children only one side has placed
    // after the sibling they follow there.
    static Json order(JsonMerge& merge, const std::map<int64_t, Json*>& nodes, const TreeShape& base,
                      const TreeShape& ours, const TreeShape& theirs) {
        std::map<int64_t, std::vector<int64_t>> children;
        std::vector<int64_t> tops;
        for (const auto& [id, node] : nodes) {
            int64_t parent = integerOr(*node, "ParentID", 0);
            if (parent == id || !nodes.count(parent))
                tops.push_back(id);
            else
                children[parent].push_back(id);
        }
        auto arranged = [&](int64_t parent, const std::vector<int64_t>& kids) {
            std::set<int64_t> wanted(kids.begin(), kids.end());
            std::vector<int64_t> b = base.children(parent, wanted), o = ours.children(parent, wanted),
                                 t = theirs.children(parent, wanted);
            std::set<int64_t> inAll;
            for (int64_t id : o)
                if (std::count(b.begin(), b.end(), id) && std::count(t.begin(), t.end(), id))
                    inAll.insert(id);
            auto cb = onlyThose(b, inAll), co = onlyThose(o, inAll), ct = onlyThose(t, inAll);
            const std::vector<int64_t>* first = &o;
            const std::vector<int64_t>* second = &t;
            if (co == cb) {
                std::swap(first, second);
            } else if (ct != cb && ct != co) {
                merge.addConflict({"Order > the children of " + JsonMerge::RecordLabel(*nodes.at(parent)),
                                   "rearranged differently on both sides", Json(cb), Json(co), Json(ct)});
            }
            std::list<int64_t> result(first->begin(), first->end());
            std::map<int64_t, std::list<int64_t>::iterator> placed;
            for (auto it = result.begin(); it != result.end(); ++it)
                placed[*it] = it;
            auto place = [&](int64_t id, std::list<int64_t>::iterator at) {
                placed[id] = result.insert(at, id);
            };
            for (size_t i = 0; i < second->size(); ++i) {
                int64_t id = (*second)[i];
                if (placed.count(id)) continue;
                auto at = result.begin();
                for (size_t j = i; j-- > 0;)
                    if (placed.count((*second)[j])) {
                        at = std::next(placed[(*second)[j]]);
                        break;
                    }
                place(id, at);
            }
            for (int64_t id : kids)
                if (!placed.count(id)) place(id, result.end());
            return std::vector<int64_t>(result.begin(), result.end());
        };
        Json out = Json::array();
        std::vector<int64_t> stack(tops.rbegin(), tops.rend());
        while (!stack.empty()) {
            int64_t id = stack.back();
            stack.pop_back();
            out.push_back(id);
            auto kids = children.find(id);
            if (kids == children.end()) continue;
            std::vector<int64_t> next = arranged(id, kids->second);
            stack.insert(stack.end(), next.rbegin(), next.rend());
        }
        return out;
    }
};

const JsonMergeRules kPlainRules;
const DataBaseRules kDataBaseRules;
const MapRules kMapRules;
const MapTreeRules kMapTreeRules;

} // namespace

const JsonMergeRules& MergeRulesFor(const std::string& kind) {
    if (kind == "database") return kDataBaseRules;
    if (kind == "map") return kMapRules;
    if (kind == "maptree") return kMapTreeRules;
    return kPlainRules;
}

} // namespace tarvel::cli
