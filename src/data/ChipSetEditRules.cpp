#include "ChipSetEditRules.h"

namespace tarvel {

int ChipSetPaletteChip(bool upper, int cell) {
    if (upper) return 10000 + cell;
    if (cell <= 1) return cell * 1000 + 49;
    if (cell == 2) return 2049;
    if (cell <= 5) return 3000 + (cell - 3) * 50;
    if (cell <= 17) return 4049 + (cell - 6) * 50;
    return 4982 + cell;
}

bool BlockPassHasStar(bool upper, int cell) {
    return !upper && cell >= 6 && cell <= 17;
}

int StepBlockPass(int v, bool leftButton, bool starAllowed) {
    using namespace ChipPass;
    const int D = Directions;
    if (leftButton) {
        if (v & Star) return (v | D) & ~(Square | Star);
        if ((v & Square) && starAllowed) return (v | Square | Star) & ~D;
        if (v & Square) return v & ~Square;
        if ((v & D) == 0) return v | D | Square;
        return v & ~D;
    }
    if (v & Star) return (v | D | Square) & ~Star;
    if (v & Square) return v & ~(D | Square);
    if ((v & D) == 0) return v | D;
    if (starAllowed) return (v | Square | Star) & ~D;
    return v | Square;
}

TChipMark BlockPassMark(int v) {
    if (v & ChipPass::Star) return TChipMark::Star;
    if (v & ChipPass::Square) return TChipMark::Square;
    if ((v & ChipPass::Directions) == 0) return TChipMark::Cross;
    return TChipMark::Circle;
}

TChipMark CounterMark(int v) {
    return (v & ChipPass::Counter) ? TChipMark::Counter : TChipMark::Dot;
}

int QuarterUnderPoint(int px, int py) {
    if (py < px && py < ChipPaletteCell - px) return ChipPass::Up;
    if (py < px) return ChipPass::Right;
    if (py < ChipPaletteCell - px) return ChipPass::Left;
    return ChipPass::Down;
}

const TDirectionMark DirectionMarks[4] = {
    {ChipPass::Down, 8, 16, TChipMark::ArrowDown},
    {ChipPass::Left, 0, 8, TChipMark::ArrowLeft},
    {ChipPass::Right, 16, 8, TChipMark::ArrowRight},
    {ChipPass::Up, 8, 0, TChipMark::ArrowUp},
};

TTerrainDigits TerrainDigits(int terrain) {
    if (terrain <= 0) return {};
    TTerrainDigits out;
    if (terrain >= 1000) {
        out.firstX = 0;
        terrain %= 10000;
        // Four places always: 10005 prints 0005.
        char text[5];
        for (int i = 3; i >= 0; --i, terrain /= 10)
            text[i] = char('0' + terrain % 10);
        text[4] = 0;
        out.digits = text;
        return out;
    }
    out.digits = std::to_string(terrain);
    out.firstX = terrain >= 100 ? 4 : terrain >= 10 ? 8 : 12;
    return out;
}

void SetAllChipTerrain(TQelChipSetItem& chipSet, int terrainID) {
    for (int chip = 0; chip < LowerChipCount; ++chip)
        chipSet.SetChipTerrain(chip, terrainID);
}

} // namespace tarvel
