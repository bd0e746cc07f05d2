#include "HelpContext.h"

namespace tarvel {

namespace {
THelpOpener gOpener;
int gLastContext = -1;
} // namespace

void SetHelpOpener(THelpOpener opener) {
    gOpener = std::move(opener);
}

void ShowHelpContext(QWidget* owner, int context) {
    gLastContext = context;
    if (gOpener) gOpener(owner, context);
}

int LastHelpContext() {
    return gLastContext;
}

} // namespace tarvel
