#include "HelpContext.h"

namespace tarvel {

namespace {

std::function<void(QWidget*, int)>& handler() {
    static std::function<void(QWidget*, int)> shown;
    return shown;
}

} // namespace

void ShowHelpContext(QWidget* owner, int context) {
    if (handler()) handler()(owner, context);
}

void SetHelpContextHandler(std::function<void(QWidget* owner, int context)> shown) {
    handler() = std::move(shown);
}

} // namespace tarvel
