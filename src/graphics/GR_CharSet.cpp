#include "GR_CharSet.h"

#include <algorithm>

#include "GraphicsPorts.h"

namespace tarvel {

TPoint CharSetFrameOrigin(int character, int pattern, int direction) {
    return {(character % 4) * 72 + pattern * 24, (character / 4) * 128 + direction * 32};
}

void TQelCharSetGraphic::Clear() {
    mNames.clear();
    mSheets.clear();
    mUsed.clear();
}

void TQelCharSetGraphic::ClearMarks() {
    std::fill(mUsed.begin(), mUsed.end(), false);
}

int TQelCharSetGraphic::IndexOf(const std::string& name) const {
    auto it = std::find(mNames.begin(), mNames.end(), name);
    return it == mNames.end() ? -1 : int(it - mNames.begin());
}

int TQelCharSetGraphic::Acquire(const std::string& name) {
    const int index = IndexOf(name);
    if (index >= 0) {
        mUsed[size_t(index)] = true;
        return index;
    }
    auto sheet = std::make_unique<TPrismSheet>();
    sheet->SetSize(kCharSetWidth, kCharSetHeight);
    sheet->LoadFromFile(name.empty() ? std::string() : MaterialLocator().Locate(name, "CharSet"), false);
    mNames.push_back(name);
    mSheets.push_back(std::move(sheet));
    mUsed.push_back(true);
    return int(mNames.size()) - 1;
}

void TQelCharSetGraphic::Trim() {
    size_t i = 0;
    while (i + 1 < mNames.size()) {
        if (mUsed[i]) {
            ++i;
            continue;
        }
        if (mNames.size() < 20) break;
        mNames.erase(mNames.begin() + long(i));
        mSheets.erase(mSheets.begin() + long(i));
        mUsed.erase(mUsed.begin() + long(i));
    }
}

} // namespace tarvel
