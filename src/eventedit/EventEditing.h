#pragma once

// Plugs the event editor into a map view's event manager: a new event or the event of a cell is
// edited in the event editor, and the quick teleport event is made with the place picker. The
// main window does the plugging, with the project's database store.

#include "ED_Event.h"

namespace tarvel {

class TQelEventManager;
class TProjectDocument;

// Saving and reloading the project's database file.
TDataBaseStore DocumentDataBaseStore(TProjectDocument& document);

// Sets the manager's edit and teleport operations; the editor windows open over owner.
void PlugEventEditor(TQelEventManager& manager, QWidget* owner, TDataBaseStore store);

// Edits the event on the cell (a new one with the lowest free ID on an empty cell, showing the
// upper tile given) in a modal event editor; OK and Apply store it into the manager's map.
void EditEventAt(TQelEventManager& manager, int x, int y, int tile, QWidget* owner,
                 const TDataBaseStore& store);
// Asks the place picker for a destination and adds a teleport event on the empty cell.
void CreateTeleportEventAt(TQelEventManager& manager, int x, int y, QWidget* owner);

} // namespace tarvel
