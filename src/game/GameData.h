#pragma once

// The project as the game reads it: the database, the map tree and the maps, read from the project
// folder and never written. Scripts are held as shared, read-only line lists, so a script keeps
// running while the map it came from is replaced.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/LD_DataBase.h"
#include "data/LD_Map.h"
#include "data/LD_MapTree.h"

namespace tarvel::game {

// A script as the interpreter runs it.
using TScriptLines = std::vector<TQelEventScriptLine>;
using TScriptPtr = std::shared_ptr<const TScriptLines>;

// A copy of a script's lines.
TScriptPtr MakeScript(const TQelEventScriptList& script);

class TGameData {
public:
    // An empty project: a reset database, no maps. Tests fill it in memory.
    TGameData();
    ~TGameData();
    TGameData(const TGameData&) = delete;
    TGameData& operator=(const TGameData&) = delete;

    // Reads "QUORIN.qdb" and "QUORIN.qmt" of the folder (which ends in "/"). Maps are read when
    // the game goes to them. False, with Error(), when either file cannot be read.
    bool Load(const std::string& folder);
    const std::string& Folder() const { return mFolder; }
    const std::string& Error() const { return mError; }

    TQelDataBase& DataBase() const { return *mDataBase; }
    TQelMapTree& Tree() { return mTree; }
    const TQelMapTree& Tree() const { return mTree; }
    // The game's title: the name of the tree's root.
    std::string Title() const;
    // The map's name in the tree, or "Map%.4d.qmu" when the tree has no node of that ID.
    std::string MapName(int32_t id) const;

    // A map to play on: a fresh copy, read from the project folder or taken from the maps put here
    // by AddMap. nullptr, with the reason in error, when there is no such map.
    std::unique_ptr<TQelMap> LoadMap(int32_t id, std::string& error) const;
    // Holds a map in memory under its ID (for tests and tools that have no project folder).
    void AddMap(int32_t id, const TQelMap& map);

    // The scripts of the common events, by ID (rebuilt by RefreshCommonEvents after the
    // database changed).
    TScriptPtr CommonEventScript(int32_t id) const;
    void RefreshCommonEvents();

private:
    std::string mFolder;
    std::string mError;
    std::unique_ptr<TQelDataBase> mDataBase;
    TQelMapTree mTree;
    std::map<int32_t, std::vector<uint8_t>> mMemoryMaps;
    std::map<int32_t, TScriptPtr> mCommonScripts;
};

} // namespace tarvel::game
