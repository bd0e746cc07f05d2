#include "MapEventManager.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

#include "records/CatalogBase.h"
#include "records/ClipboardPort.h"

namespace tarvel {

namespace {

const char* const kStartNames[] = {"Hero", "Boat", "Ship", "Airship"};

// The script lines of the quick teleport event around its teleport line.
constexpr int32_t EraseScreenCode = 11010;
constexpr int32_t ShowScreenCode = 11020;
// The screen change that the system's transition settings give.
constexpr int32_t SystemTransition = -1;
// "At Hero Touch".
constexpr uint8_t HeroTouchTrigger = 1;

TQelEventItem* eventAt(const TQelMap& map, int x, int y) {
    for (const auto& item : map.Events) {
        auto& event = static_cast<TQelEventItem&>(*item);
        if (event.X == x && event.Y == y) return &event;
    }
    return nullptr;
}

} // namespace

void TQelEventManager::SetMap(TQelMapTree* tree, TQelMap* map) {
    mTree = tree;
    mMap = map;
    mFoundID = 0;
}

void TQelEventManager::changed() {
    if (onChange) onChange();
}

int TQelEventManager::FindAt(int x, int y) {
    mX = x;
    mY = y;
    mFoundID = 0;
    if (!mMap) return 0;
    if (const TQelEventItem* event = eventAt(*mMap, x, y)) return mFoundID = event->ID;
    if (mTree) {
        const TQelMapStartPosition& starts = mTree->StartPositions;
        for (int i = 0; i < TQelMapStartPosition::Objects; ++i)
            if (starts.StartMap(i) == mMap->ID && starts.StartX(i) == x && starts.StartY(i) == y)
                return mFoundID = PartyStart + i;
    }
    return 0;
}

std::string TQelEventManager::NameAt(int x, int y) {
    const int id = FindAt(x, y);
    if (id >= PartyStart && id <= AirshipStart) return kStartNames[id - PartyStart];
    if (id > 0)
        if (const TQelEventItem* event = mMap->Events.Find(id)) return event->Name;
    return {};
}

std::vector<uint8_t> TQelEventManager::EventBlock(const TQelEventItem& event) {
    TMemoryStream body;
    WriteVarInt(body, uint32_t(0));
    event.SaveToStream(body);
    TMemoryStream block;
    block.WriteUInt32LE(uint32_t(body.Size()));
    block.Write(body.Data(), size_t(body.Size()));
    return std::move(block.Bytes());
}

std::vector<uint8_t> TQelEventManager::StartPositionBlock(int value) {
    TMemoryStream body;
    WriteVarInt(body, uint32_t(value));
    TMemoryStream block;
    block.WriteUInt32LE(uint32_t(body.Size()));
    block.Write(body.Data(), size_t(body.Size()));
    return std::move(block.Bytes());
}

bool TQelEventManager::CopyAt(int x, int y) {
    const int id = FindAt(x, y);
    if (id == 0) return false;
    if (id >= PartyStart) {
        Clipboard().set(ClipboardFormat::MapEvent, StartPositionBlock(id));
        return true;
    }
    const TQelEventItem* event = mMap->Events.Find(id);
    if (!event) return false;
    Clipboard().set(ClipboardFormat::MapEvent, EventBlock(*event));
    return true;
}

bool TQelEventManager::DeleteAt(int x, int y) {
    const int id = FindAt(x, y);
    if (id == 0) return false;
    if (id >= PartyStart)
        mTree->StartPositions.ClearStart(id - PartyStart);
    else
        mMap->Events.Delete(id);
    changed();
    return true;
}

bool TQelEventManager::CutAt(int x, int y) {
    if (!CopyAt(x, y)) return false;
    return DeleteAt(x, y);
}

bool TQelEventManager::CanPaste() {
    return Clipboard().has(ClipboardFormat::MapEvent);
}

std::string TQelEventManager::PastedEventName(const std::string& name, int newID) {
    if (name.empty()) return DefaultEventName(newID);
    if (name.size() == 6 && name.compare(0, 2, "EV") == 0) {
        int value = 0;
        bool digits = true;
        for (size_t i = 2; i < 6; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(name[i]))) digits = false;
            value = value * 10 + (name[i] - '0');
        }
        if (digits && value > 0) return DefaultEventName(newID);
    }
    return name;
}

std::string TQelEventManager::DefaultEventName(int id) {
    char text[16];
    std::snprintf(text, sizeof text, "EV%.4d", id);
    return text;
}

void TQelEventManager::CollectCharSets(TQelMap& map, const TQelEventItem& event) {
    for (const auto& item : event.Pages) {
        const auto& page = static_cast<const TQelEventPageItem&>(*item);
        if (!page.CharName.empty()) map.Graphics().CollectCharSet(page.CharName);
    }
}

int TQelEventManager::LowestFreeEventID(const TQelMap& map) {
    for (int id = 1; id <= MaxEventID; ++id)
        if (!map.Events.Find(id)) return id;
    return 0;
}

bool TQelEventManager::PasteAt(int x, int y) {
    if (!mMap || FindAt(x, y) != 0) return false;
    if (x < 0 || y < 0 || x >= mMap->Width || y >= mMap->Height) return false;
    const int newID = LowestFreeEventID(*mMap);
    if (newID == 0) return false;
    auto block = Clipboard().get(ClipboardFormat::MapEvent);
    if (!block || block->size() < 4) return false;
    TMemoryStream header(block->data(), 4);
    const uint32_t size = header.ReadUInt32LE();
    if (size == 0 || size > block->size() - 4) return false;
    TMemoryStream body(block->data() + 4, size);
    try {
        const uint32_t first = ReadVarInt(body);
        if (first >= uint32_t(PartyStart) && first <= uint32_t(AirshipStart)) {
            const int n = int(first) - PartyStart;
            mTree->StartPositions.SetStartMap(n, mMap->ID);
            mTree->StartPositions.SetStartX(n, x);
            mTree->StartPositions.SetStartY(n, y);
            changed();
            return true;
        }
        // Read into a record of its own first, so a broken block adds nothing.
        auto pasted = std::make_unique<TQelEventItem>(newID);
        pasted->LoadFromStream(body);
        TQelEventItem* event = mMap->Events.FindOrCreate(newID);
        event->Assign(*pasted);
        event->ID = newID;
        event->X = x;
        event->Y = y;
        event->Name = PastedEventName(pasted->Name, newID);
        CollectCharSets(*mMap, *event);
    } catch (const EReadError&) {
        return false;
    }
    changed();
    return true;
}

bool TQelEventManager::SetPartyStartAt(int x, int y) {
    if (!mMap || !mTree || FindAt(x, y) != 0) return false;
    mTree->StartPositions.SetStartMap(0, mMap->ID);
    mTree->StartPositions.SetStartX(0, x);
    mTree->StartPositions.SetStartY(0, y);
    changed();
    return true;
}

bool TQelEventManager::SetVehicleStartAt(int x, int y) {
    if (!mMap || !mTree || !chooseVehicle) return false;
    FindAt(x, y);
    const int vehicle = chooseVehicle();
    if (vehicle < 1 || vehicle > 3) return false;
    mTree->StartPositions.SetStartMap(vehicle, mMap->ID);
    mTree->StartPositions.SetStartX(vehicle, x);
    mTree->StartPositions.SetStartY(vehicle, y);
    changed();
    return true;
}

void TQelEventManager::EditAt(int x, int y, int tile) {
    const int id = FindAt(x, y);
    // Start positions have nothing to edit.
    if (!editEvent || id >= PartyStart) return;
    if (id == 0 && LowestFreeEventID(*mMap) == 0) return;
    editEvent(*this, x, y, tile);
}

void TQelEventManager::collectAllCharSets() {
    for (const auto& item : mMap->Events)
        CollectCharSets(*mMap, static_cast<const TQelEventItem&>(*item));
}

void TQelEventManager::StoreEdited(const TQelEventItem& copy, int x, int y) {
    if (!mMap) return;
    TQelEventItem* event = mMap->Events.FindOrCreate(copy.ID);
    event->Assign(copy);
    event->X = x;
    event->Y = y;
    collectAllCharSets();
    changed();
}

bool TQelEventManager::AddTeleportEvent(int x, int y, const TQelEventScriptLine& teleport) {
    if (!mMap || FindAt(x, y) != 0) return false;
    const int id = LowestFreeEventID(*mMap);
    if (id == 0) return false;
    TQelEventItem* event = mMap->Events.FindOrCreate(id);
    event->Reset();
    event->Name = DefaultEventName(id);
    event->X = x;
    event->Y = y;
    TQelEventPageItem* page = event->Pages.Items(0);
    TQelEventScriptList& script = page->Script;
    // Before the end line, which stays last.
    const int end = std::max(0, script.Count() - 1);
    script.Insert(end, std::make_unique<TQelEventScriptLine>(EraseScreenCode, 0, "",
                                                             std::vector<int32_t>{SystemTransition}));
    script.Insert(end + 1,
                  std::make_unique<TQelEventScriptLine>(teleport.Code, 0, teleport.Text, teleport.Params));
    script.Insert(end + 2, std::make_unique<TQelEventScriptLine>(ShowScreenCode, 0, "",
                                                                 std::vector<int32_t>{SystemTransition}));
    page->Trigger = HeroTouchTrigger;
    collectAllCharSets();
    changed();
    return true;
}

void TQelEventManager::CreateTeleportAt(int x, int y) {
    if (!createTeleport || FindAt(x, y) != 0 || LowestFreeEventID(*mMap) == 0) return;
    createTeleport(*this, x, y);
}

} // namespace tarvel
