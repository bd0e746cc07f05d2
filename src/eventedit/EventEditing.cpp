#include "EventEditing.h"

#include <algorithm>

#include "controls/BusyCursor.h"
#include "data/LD_Map.h"
#include "data/LD_MapTree.h"
#include "mapedit/MapEventManager.h"
#include "mapedit/MapSetPlace.h"
#include "project/ProjectDocument.h"

namespace tarvel {

namespace {

constexpr int32_t TeleportCode = 10810;
// Upper tiles of a chipset: 0..143.
constexpr int LastUpperTile = 143;

} // namespace

TDataBaseStore DocumentDataBaseStore(TProjectDocument& document) {
    return {[&document] { document.SaveDataBase(); }, [&document] { document.ReloadDataBase(); }};
}

void PlugEventEditor(TQelEventManager& manager, QWidget* owner, TDataBaseStore store) {
    manager.editEvent = [owner, store](TQelEventManager& m, int x, int y, int tile) {
        EditEventAt(m, x, y, tile, owner, store);
    };
    manager.createTeleport = [owner](TQelEventManager& m, int x, int y) {
        CreateTeleportEventAt(m, x, y, owner);
    };
}

void EditEventAt(TQelEventManager& manager, int x, int y, int tile, QWidget* owner,
                 const TDataBaseStore& store) {
    TQelMap* map = manager.Map();
    if (!map) return;
    int id = manager.FindAt(x, y);
    // Start positions have nothing to edit.
    if (id >= TQelEventManager::PartyStart) return;
    const bool isNew = id == 0;
    if (isNew) id = TQelEventManager::LowestFreeEventID(*map);
    if (id == 0) return;

    TFormEDEvent editor(owner);
    {
        TBusyCursor busy;
        editor.SetMapTree(manager.MapTree());
        editor.SetMap(map);
        editor.SetEventID(id);
        editor.SetDataBaseStore(store);
        // The cell is the one the editor was opened on, whatever the manager looks at meanwhile.
        editor.onStore = [&manager, x, y](const TQelEventItem& copy) { manager.StoreEdited(copy, x, y); };
        TQelEventItem& copy = editor.Event();
        if (const TQelEventItem* event = isNew ? nullptr : map->Events.Find(id)) {
            copy.Assign(*event);
        } else {
            copy.Reset();
            copy.Name = TQelEventManager::DefaultEventName(id);
            if (TQelEventPageItem* page = copy.Pages.Items(0))
                page->CharIndex = std::clamp(tile, 0, LastUpperTile);
        }
        copy.ID = id;
        copy.X = x;
        copy.Y = y;
        editor.SetApplyEnabled(isNew);
    }
    editor.exec();
}

void CreateTeleportEventAt(TQelEventManager& manager, int x, int y, QWidget* owner) {
    TQelMap* map = manager.Map();
    TQelMapTree* tree = manager.MapTree();
    if (!map || !tree || manager.FindAt(x, y) != 0 || TQelEventManager::LowestFreeEventID(*map) == 0) return;
    TFormMapSetPlace picker(owner, *tree, map, map->ID, {x, y}, {});
    if (picker.exec() != QDialog::Accepted || picker.MapID() == 0) return;
    const TPoint place = picker.Position();
    manager.AddTeleportEvent(x, y,
                             TQelEventScriptLine(TeleportCode, 0, {}, {picker.MapID(), place.x, place.y}));
}

} // namespace tarvel
