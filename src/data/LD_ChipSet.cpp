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
        v.String(&Name, "Name");
        break;
    case 2:
        v.String(&GraphicName, "GraphicName");
        break;
    // The three tables are only written when they differ from a new chipset's.
    case 3:
        if (forLoad || terrainChanged()) v.Block(Terrain, sizeof Terrain, "Terrain", TFieldForm::UInt16Array);
        break;
    case 4:
        if (forLoad || lowerPassChanged())
            v.Block(LowerPass, sizeof LowerPass, "LowerPass", TFieldForm::Bytes);
        break;
    case 5:
        if (forLoad || upperPassChanged())
            v.Block(UpperPass, sizeof UpperPass, "UpperPass", TFieldForm::Bytes);
        break;
    case 11:
        v.Integer(&SeaAnimation, 0, "SeaAnimation");
        break;
    case 12:
        v.Integer(&SeaSpeed, 0, "SeaSpeed");
        break;
    }
}

void TQelChipSetItem::Reset() {
    TCatalogItem::Reset();
    for (int chip = 0; chip < LowerChipCount; ++chip) {
        SetChipTerrain(chip, 1);
        LowerPass[chip] = kResetPass;
    }
    UpperPass[0] = kResetEmptyUpperPass;
    for (int chip = 1; chip < UpperChipCount; ++chip)
        UpperPass[chip] = kResetPass;
}

bool TQelChipSetItem::terrainChanged() const {
    for (int chip = 0; chip < LowerChipCount; ++chip)
        if (ChipTerrain(chip) != 1) return true;
    return false;
}

bool TQelChipSetItem::lowerPassChanged() const {
    for (int chip = 0; chip < LowerChipCount; ++chip)
        if (LowerPass[chip] != kResetPass) return true;
    return false;
}

bool TQelChipSetItem::upperPassChanged() const {
    for (int chip = 1; chip < UpperChipCount; ++chip)
        if (UpperPass[chip] != kResetPass) return true;
    return false;
}

} // namespace tarvel
