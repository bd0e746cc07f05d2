#include "LD_Animation.h"

namespace tarvel {

void TQelAnimationTimingItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.Integer(&Frame, 0, "Frame");
        break;
    case 2:
        v.Record(&Sound, "Sound");
        break;
    case 3:
        v.Block(&FlashScope, 1, "FlashScope");
        break;
    case 4:
        v.Integer(&FlashRed, 31, "FlashRed");
        break;
    case 5:
        v.Integer(&FlashGreen, 31, "FlashGreen");
        break;
    case 6:
        v.Integer(&FlashBlue, 31, "FlashBlue");
        break;
    case 7:
        v.Integer(&FlashPower, 31, "FlashPower");
        break;
    case 8:
        v.Integer(&Shake, 0, "Shake");
        break;
    }
}

void TQelAnimationCellItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.Boolean(&Visible, true, "Visible");
        break;
    case 2:
        v.Integer(&Pattern, 0, "Pattern");
        break;
    case 3:
        v.Integer(&X, 0, "X");
        break;
    case 4:
        v.Integer(&Y, 0, "Y");
        break;
    case 5:
        v.Integer(&Zoom, 100, "Zoom");
        break;
    case 6:
        v.Integer(&Red, 100, "Red");
        break;
    case 7:
        v.Integer(&Green, 100, "Green");
        break;
    case 8:
        v.Integer(&Blue, 100, "Blue");
        break;
    case 9:
        v.Integer(&Chroma, 100, "Chroma");
        break;
    case 10:
        v.Integer(&Transparency, 0, "Transparency");
        break;
    }
}

void TQelAnimationPatternItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id == 1) v.List(&Cells, "Cells");
}

void TQelAnimationItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.String(&Name, "Name");
        break;
    case 2:
        v.String(&GraphicName, "GraphicName");
        break;
    case 6:
        v.List(&Timings, "Timings");
        break;
    case 9:
        v.Block(&Scope, 1, "Scope");
        break;
    case 10:
        v.Block(&Position, 1, "Position").ResetTo(2);
        break;
    case 12:
        v.List(&Frames, "Frames");
        break;
    }
}

void TQelAnimationItem::Reset() {
    TCatalogItem::Reset();
    for (int id = 1; id <= NewAnimationFrameCount; ++id)
        Frames.FindOrCreate(id);
}

void TQelAnimation::LoadItem(int index, TMemoryStream& stream) {
    TQelList::LoadItem(index, stream);
    Items(index)->Changed = true;
}

void TQelAnimation::SaveItem(int index, TMemoryStream& stream) const {
    TQelList::SaveItem(index, stream);
    Items(index)->Changed = true;
}

void TQelAnimation::LoadFromStream(TMemoryStream& stream) {
    // Items are placed by ID here rather than through LoadItem, so they are marked afterwards.
    TQelList::LoadFromStream(stream);
    for (const auto& item : *this)
        static_cast<TQelAnimationItem*>(item.get())->Changed = true;
}

} // namespace tarvel
