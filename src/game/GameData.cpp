#include "GameData.h"

#include <cstdio>
#include <exception>

#include "records/Stream.h"

namespace tarvel::game {

TScriptPtr MakeScript(const TQelEventScriptList& script) {
    auto lines = std::make_shared<TScriptLines>();
    lines->reserve(size_t(script.Count()));
    for (const auto& line : script)
        lines->push_back(*line);
    return lines;
}

TGameData::TGameData() : mDataBase(std::make_unique<TQelDataBase>()) {
    RefreshCommonEvents();
}

TGameData::~TGameData() = default;

bool TGameData::Load(const std::string& folder) {
    mFolder = folder;
    mError.clear();
    std::string problems;
    try {
        mDataBase->LoadFromFile(folder + DataBaseFileName);
    } catch (const std::exception& e) {
        problems += std::string(DataBaseFileName) + ": " + e.what();
    }
    try {
        // The file itself, not the editor's way of loading a tree: that one also clears working
        // copies in the editor's temporary folder, which belong to the editor that waits for us.
        TMemoryStream stream;
        stream.LoadFromFile(folder + MapTreeFileName);
        mTree.LoadFromFileStream(stream);
    } catch (const std::exception& e) {
        if (!problems.empty()) problems += "; ";
        problems += std::string(MapTreeFileName) + ": " + e.what();
    }
    RefreshCommonEvents();
    mError = problems;
    return problems.empty();
}

std::string TGameData::Title() const {
    const TQelMapTreeItem* root = mTree.Find(0);
    return root ? root->Name : std::string();
}

std::string TGameData::MapName(int32_t id) const {
    const TQelMapTreeItem* node = mTree.Find(id);
    return node ? node->Name : MapFileName(id);
}

std::unique_ptr<TQelMap> TGameData::LoadMap(int32_t id, std::string& error) const {
    auto map = std::make_unique<TQelMap>(id);
    try {
        auto held = mMemoryMaps.find(id);
        if (held != mMemoryMaps.end()) {
            TMemoryStream stream(held->second);
            map->LoadFromFileStream(stream);
        } else if (mFolder.empty()) {
            error = "there is no map " + std::to_string(id);
            return nullptr;
        } else {
            const TQelMapTreeItem* node = mTree.Find(id);
            if (id <= 0 || (node && node->NodeKind != nkMap)) {
                error = "there is no map " + std::to_string(id);
                return nullptr;
            }
            map->ReadFile(mFolder + MapFileName(id));
        }
    } catch (const EFileError&) {
        error = "there is no map " + std::to_string(id) + " (" + MapFileName(id) + " cannot be read)";
        return nullptr;
    } catch (const std::exception& e) {
        error = "map " + std::to_string(id) + " (" + MapFileName(id) + ") is broken: " + e.what();
        return nullptr;
    }
    map->ID = id;
    return map;
}

void TGameData::AddMap(int32_t id, const TQelMap& map) {
    TMemoryStream stream;
    map.SaveToFileStream(stream);
    mMemoryMaps[id] = stream.Bytes();
}

TScriptPtr TGameData::CommonEventScript(int32_t id) const {
    auto it = mCommonScripts.find(id);
    return it == mCommonScripts.end() ? nullptr : it->second;
}

void TGameData::RefreshCommonEvents() {
    mCommonScripts.clear();
    for (const auto& item : mDataBase->CommonEvents())
        mCommonScripts[item->ID] = MakeScript(static_cast<const TQelCommonEventItem&>(*item).Script);
}

} // namespace tarvel::game
