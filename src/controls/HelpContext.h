#pragma once

#include <functional>

class QWidget;

namespace tarvel {

// Opens the editor's help at a context number (0: the contents). The help window lives with the
// editor's program; the editor plugs it in at start. Without it (tests, tools) a request only
// remembers the context it asked for.
using THelpOpener = std::function<void(QWidget* owner, int context)>;
void SetHelpOpener(THelpOpener opener);
void ShowHelpContext(QWidget* owner, int context);
// The context of the last request, -1 before any; for tests.
int LastHelpContext();

} // namespace tarvel
