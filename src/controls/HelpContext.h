#pragma once

#include <functional>

class QWidget;

namespace tarvel {

// Opens the manual at a help context number (a dialog's Help button). The main window installs
// the help browser; without it (tools, tests) nothing opens.
void ShowHelpContext(QWidget* owner, int context);
void SetHelpContextHandler(std::function<void(QWidget* owner, int context)> handler);

} // namespace tarvel
