#pragma once

// What the map editor does to the events and start positions of a map cell: find what stands
// there, name it, cut, copy, paste and delete it, and set the party's or a vehicle's start
// position. The operations that open the event editor (new or edit, and the quick teleport event)
// belong to that editor: it plugs them in here (the map view offers them only once it has), and
// hands the results back through StoreEdited and AddTeleportEvent.

#include <functional>
#include <string>
#include <vector>

#include "data/LD_Map.h"
#include "data/LD_MapTree.h"

namespace tarvel {

class TQelEventManager {
public:
    static constexpr int PartyStart = 60001;
    static constexpr int BoatStart = 60002;
    static constexpr int ShipStart = 60003;
    static constexpr int AirshipStart = 60004;
    static constexpr int MaxEventID = 5000;

    // The map tree (start positions) and the map worked on; not owned.
    void SetMap(TQelMapTree* tree, TQelMap* map);
    TQelMap* Map() const { return mMap; }
    TQelMapTree* MapTree() const { return mTree; }

    // What stands on the cell: the first event there in list order, else the first start
    // position there (60001 party .. 60004 airship), else 0. The cell and the answer are kept.
    int FindAt(int x, int y);
    int FoundID() const { return mFoundID; }
    // "Hero", "Boat", "Ship" or "Airship" for a start position, the event's name, or nothing.
    std::string NameAt(int x, int y);

    // Puts the event or start position of the cell on the clipboard (format 563); false on an
    // empty cell.
    bool CopyAt(int x, int y);
    // Removes the event (or clears the start position) of the cell; false on an empty cell.
    bool DeleteAt(int x, int y);
    bool CutAt(int x, int y);
    // Pastes the clipboard's event (with the lowest free ID) or moves its start position onto an
    // empty cell; false when the cell is taken, no ID is free or the block is unusable.
    bool PasteAt(int x, int y);
    static bool CanPaste();
    // The party start moves to an empty cell.
    bool SetPartyStartAt(int x, int y);
    // The vehicle that chooseVehicle names (1 boat, 2 ship, 3 airship) starts on the cell.
    bool SetVehicleStartAt(int x, int y);

    // The operations of the event editor, set when it is there: a new event (with the upper
    // tile number it shows at first) or the event on the cell edited, and the quick teleport
    // event created on an empty cell.
    std::function<void(TQelEventManager& manager, int x, int y, int tile)> editEvent;
    std::function<void(TQelEventManager& manager, int x, int y)> createTeleport;
    bool CanEdit() const { return bool(editEvent); }
    bool CanCreateTeleport() const { return bool(createTeleport); }
    void EditAt(int x, int y, int tile);
    void CreateTeleportAt(int x, int y);

    // The event editor's OK and Apply: the event with the copy's ID is added to the map when it is
    // missing, takes the copy's content and stands on the cell; the map's character sets are
    // collected again and the change is announced.
    void StoreEdited(const TQelEventItem& copy, int x, int y);
    // The quick teleport event: a new event with the lowest free ID on an empty cell, named by its
    // default name, started by the hero's touch, whose first page erases the screen, teleports
    // (the line given) and shows the screen again. False (nothing changes) on a taken cell or when
    // no ID is free.
    bool AddTeleportEvent(int x, int y, const TQelEventScriptLine& teleport);
    // The name a new event of this ID gets: "EV%.4d".
    static std::string DefaultEventName(int id);

    // Asks which vehicle to place: 1 boat, 2 ship, 3 airship, 0 for none.
    std::function<int()> chooseVehicle;
    // Runs after every change of the map's events or start positions.
    std::function<void()> onChange;

    // The lowest event ID from 1 to 5000 the map does not use; 0 when all are taken.
    static int LowestFreeEventID(const TQelMap& map);
    // The block of format 563 for an event, and for a start position (60001..60004).
    static std::vector<uint8_t> EventBlock(const TQelEventItem& event);
    static std::vector<uint8_t> StartPositionBlock(int value);
    // An event pasted under a new ID takes its default name when it had none or had the default
    // name of another ID ("EV" and four characters reading as a positive number).
    static std::string PastedEventName(const std::string& name, int newID);
    // Makes sure the character sets the event's pages show are in the map's cache.
    static void CollectCharSets(TQelMap& map, const TQelEventItem& event);

private:
    void changed();
    // The character sets of every page of every event of the map into its cache.
    void collectAllCharSets();

    TQelMapTree* mTree = nullptr;
    TQelMap* mMap = nullptr;
    int mX = 0, mY = 0;
    int mFoundID = 0;
};

} // namespace tarvel
