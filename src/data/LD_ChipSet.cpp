#include "LD_ChipSet.h"

namespace tarvel {

namespace {
constexpr uint8_t kResetPass = 15;
constexpr uint8_t kResetEmptyUpperPass = 31;
} // namespace

int32_t TQelChipSetItem::ChipTerrain(int chip) const {
    return chip >= 0 && chip < LowerChipCount ? BlockUInt16(Terrain, chip) : 0;
}

void TQelChipSetItem::SetChipTerrain(int chip, int32_t terrainID) {
    if (chip >= 0 && chip < LowerChipCount) SetBlockUInt16(Terrain, chip, static_cast<uint16_t>(terrainID));
}

int32_t TQelChipSetItem::LowerChipPass(int chip) const {
    return chip >= 0 && chip < LowerChipCount ? LowerPass[chip] : 0;
}

void TQelChipSetItem::SetLowerChipPass(int chip, int32_t flags) {
    if (chip >= 0 && chip < LowerChipCount) LowerPass[chip] = static_cast<uint8_t>(flags);
}

int32_t TQelChipSetItem::UpperChipPass(int chip) const {
    return chip >= 0 && chip < UpperChipCount ? UpperPass[chip] : 0;
}

void TQelChipSetItem::SetUpperChipPass(int chip, int32_t flags) {
    if (chip >= 0 && chip < UpperChipCount) UpperPass[chip] = static_cast<uint8_t>(flags);
}

void TQelChipSetItem::DescribeField(int id, TCatalogVarData& v, bool forLoad) {
    switch (id) {
    case 1:
        v.SetString(&Name, true);
        break;
    case 2:
        v.SetString(&GraphicName, true);
        break;
    case 3: {
        bool changed = false;
        for (int chip = 0; chip < LowerChipCount && !changed; ++chip)
            changed = ChipTerrain(chip) != 1;
        if (forLoad || changed) v.SetField(vkBlock, Terrain, sizeof Terrain);
        break;
    }
    case 4: {
        bool changed = false;
        for (int chip = 0; chip < LowerChipCount && !changed; ++chip)
            changed = LowerPass[chip] != kResetPass;
        if (forLoad || changed) v.SetField(vkBlock, LowerPass, sizeof LowerPass);
        break;
    }
    case 5: {
        bool changed = false;
        for (int chip = 1; chip < UpperChipCount && !changed; ++chip)
            changed = UpperPass[chip] != kResetPass;
        if (forLoad || changed) v.SetField(vkBlock, UpperPass, sizeof UpperPass);
        break;
    }
    case 11:
        v.SetInteger(&SeaAnimation, 0);
        break;
    case 12:
        v.SetInteger(&SeaSpeed, 0);
        break;
    }
}

void TQelChipSetItem::Reset() {
    Name.clear();
    GraphicName.clear();
    for (int chip = 0; chip < LowerChipCount; ++chip) {
        SetChipTerrain(chip, 1);
        LowerPass[chip] = kResetPass;
    }
    UpperPass[0] = kResetEmptyUpperPass;
    for (int chip = 1; chip < UpperChipCount; ++chip)
        UpperPass[chip] = kResetPass;
    SeaAnimation = 0;
    SeaSpeed = 0;
}

const std::vector<TFieldName>& TQelChipSetItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "Name"},
        {2, "GraphicName"},
        {3, "Terrain", TFieldForm::UInt16Array},
        {4, "LowerPass", TFieldForm::Bytes},
        {5, "UpperPass", TFieldForm::Bytes},
        {11, "SeaAnimation"},
        {12, "SeaSpeed"},
    };
    return names;
}

} // namespace tarvel
