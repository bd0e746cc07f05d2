#pragma once

#include <QIcon>
#include <QString>

namespace tarvel {

// The pictures of the menu and toolbar commands, drawn by code at 20 x 20, keyed by the
// action's name ("Action_MapSave"). An unknown name gives an empty icon.
QIcon ActionIcon(const QString& actionName);

} // namespace tarvel
