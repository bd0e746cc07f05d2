#include "LD_Animation.h"

namespace tarvel {

void TQelAnimationTimingItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.SetInteger(&Frame, 0);
        break;
    case 2:
        v.SetField(vkRecord, static_cast<TStreamable*>(&Sound), 0);
        break;
    case 3:
        v.SetField(vkBlock, &FlashScope, 1);
        break;
    case 4:
        v.SetInteger(&FlashRed, 31);
        break;
    case 5:
        v.SetInteger(&FlashGreen, 31);
        break;
    case 6:
        v.SetInteger(&FlashBlue, 31);
        break;
    case 7:
        v.SetInteger(&FlashPower, 31);
        break;
    case 8:
        v.SetInteger(&Shake, 0);
        break;
    }
}

void TQelAnimationTimingItem::Reset() {
    Frame = 0;
    Sound.Reset();
    FlashScope = 0;
    FlashRed = FlashGreen = FlashBlue = FlashPower = 31;
    Shake = 0;
}

const std::vector<TFieldName>& TQelAnimationTimingItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "Frame"},      {2, "Sound"},     {3, "FlashScope"}, {4, "FlashRed"},
        {5, "FlashGreen"}, {6, "FlashBlue"}, {7, "FlashPower"}, {8, "Shake"},
    };
    return names;
}

void TQelAnimationCellItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.SetBoolean(&Visible, true);
        break;
    case 2:
        v.SetInteger(&Pattern, 0);
        break;
    case 3:
        v.SetInteger(&X, 0);
        break;
    case 4:
        v.SetInteger(&Y, 0);
        break;
    case 5:
        v.SetInteger(&Zoom, 100);
        break;
    case 6:
        v.SetInteger(&Red, 100);
        break;
    case 7:
        v.SetInteger(&Green, 100);
        break;
    case 8:
        v.SetInteger(&Blue, 100);
        break;
    case 9:
        v.SetInteger(&Chroma, 100);
        break;
    case 10:
        v.SetInteger(&Transparency, 0);
        break;
    }
}

void TQelAnimationCellItem::Reset() {
    Visible = true;
    Pattern = 0;
    X = Y = 0;
    Zoom = 100;
    Red = Green = Blue = Chroma = 100;
    Transparency = 0;
}

const std::vector<TFieldName>& TQelAnimationCellItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "Visible"}, {2, "Pattern"}, {3, "X"},    {4, "Y"},      {5, "Zoom"},
        {6, "Red"},     {7, "Green"},   {8, "Blue"}, {9, "Chroma"}, {10, "Transparency"},
    };
    return names;
}

void TQelAnimationPatternItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id == 1) v.SetField(vkList, static_cast<TStreamable*>(&Cells), 0);
}

const std::vector<TFieldName>& TQelAnimationPatternItem::FieldNames() const {
    static const std::vector<TFieldName> names = {{1, "Cells"}};
    return names;
}

void TQelAnimationItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.SetString(&Name, true);
        break;
    case 2:
        v.SetString(&GraphicName, true);
        break;
    case 6:
        v.SetField(vkList, static_cast<TStreamable*>(&Timings), 0);
        break;
    case 9:
        v.SetField(vkBlock, &Scope, 1);
        break;
    case 10:
        v.SetField(vkBlock, &Position, 1);
        break;
    case 12:
        v.SetField(vkList, static_cast<TStreamable*>(&Frames), 0);
        break;
    }
}

void TQelAnimationItem::Reset() {
    Name.clear();
    GraphicName.clear();
    Timings.Clear();
    Scope = 0;
    Position = 2;
    Frames.Clear();
    for (int id = 1; id <= NewAnimationFrameCount; ++id)
        Frames.FindOrCreate(id);
}

const std::vector<TFieldName>& TQelAnimationItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "Name"}, {2, "GraphicName"}, {6, "Timings"}, {9, "Scope"}, {10, "Position"}, {12, "Frames"},
    };
    return names;
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
