#include "StartPosMark.h"

#include <cmath>

namespace tarvel {

namespace {

enum Ink : uint8_t { Clear = 0, Outline, White, PartyRed, BoatGreen, ShipBlue, AirshipViolet, EventYellow };

const TRGB kInks[] = {{0, 0, 0},     {24, 24, 32},  {255, 255, 255}, {224, 48, 48},
                      {40, 176, 96}, {48, 96, 224}, {160, 72, 200},  {240, 200, 40}};

bool inEllipse(double u, double v, double cx, double cy, double rx, double ry) {
    const double dx = (u - cx) / rx, dy = (v - cy) / ry;
    return dx * dx + dy * dy <= 1;
}

// The white figure of a mark at (u, v) in the unit square.
bool figure(int mark, double u, double v) {
    const double du = std::fabs(u - 0.5);
    switch (mark) {
    case TStartPosMark::Party: // a person: head and a widening body
        return inEllipse(u, v, 0.5, 0.3, 0.12, 0.12) ||
               (v >= 0.46 && v <= 0.8 && du <= 0.08 + (v - 0.46) * 0.5);
    case TStartPosMark::Boat: // a rowing boat: hull and two oars
        return (v >= 0.52 && v <= 0.7 && du <= 0.34 - (v - 0.52) * 1.1) ||
               (v >= 0.3 && v <= 0.52 && std::fabs(du - 0.12 - (0.52 - v) * 0.6) <= 0.04);
    case TStartPosMark::Ship: // hull, mast and sail
        return (v >= 0.62 && v <= 0.78 && du <= 0.36 - (v - 0.62) * 1.2) ||
               (v >= 0.18 && v <= 0.62 && std::fabs(u - 0.46) <= 0.04) ||
               (v >= 0.22 && v <= 0.56 && u >= 0.52 && u <= 0.52 + (v - 0.2) * 0.75);
    case TStartPosMark::Airship: // balloon and gondola
        return inEllipse(u, v, 0.5, 0.38, 0.34, 0.2) || (v >= 0.64 && v <= 0.76 && du <= 0.1) ||
               (v >= 0.56 && v <= 0.64 && std::fabs(du - 0.09) <= 0.03);
    default: // an event: a framed square
        return (du <= 0.22 && std::fabs(v - 0.5) <= 0.22) && !(du <= 0.12 && std::fabs(v - 0.5) <= 0.12);
    }
}

uint8_t inkAt(int mark, double u, double v) {
    const double du = std::fabs(u - 0.5), dv = std::fabs(v - 0.5);
    // A rounded square: a disc of radius 0.12 rounds each corner of the 0.46-square.
    const double cornerU = std::max(0.0, du - 0.34), cornerV = std::max(0.0, dv - 0.34);
    const double corner = std::sqrt(cornerU * cornerU + cornerV * cornerV);
    if (du > 0.46 || dv > 0.46 || corner > 0.12) return Clear;
    if (du > 0.38 || dv > 0.38 || corner > 0.05) return Outline;
    if (figure(mark, u, v)) return White;
    return uint8_t(PartyRed + mark);
}

} // namespace

TStartPosMark::TStartPosMark() {
    for (int i = 0; i < 4; ++i) {
        const int size = 32 >> i;
        auto sheet = std::make_unique<TPrismSheet>();
        sheet->SetSize(size * MarkCount, size);
        sheet->SetTransparent(true);
        for (int k = 0; k < int(sizeof(kInks) / sizeof(kInks[0])); ++k)
            sheet->Palette()[size_t(k)] = {kInks[k].red, kInks[k].green, kInks[k].blue, 0};
        for (int mark = 0; mark < MarkCount; ++mark)
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    sheet->Row(y)[mark * size + x] = inkAt(mark, (x + 0.5) / size, (y + 0.5) / size);
        sheet->UpdateColorTable();
        mStrips[size_t(i)] = std::move(sheet);
    }
}

const char* TStartPosMark::StripName(int i) {
    static const char* const names[] = {"STARTPOS1", "STARTPOS2", "STARTPOS3", "STARTPOS4"};
    return names[i];
}

void TStartPosMark::Draw(TPrismBoard& board, int x, int y, bool dimmed, int size, int mark) {
    int strip = -1;
    for (int i = 0; i < 4; ++i)
        if (size == 32 >> i) strip = i;
    if (strip < 0 || mark < 0 || mark >= MarkCount) return;
    TPrismSheet& sheet = *mStrips[size_t(strip)];
    sheet.SetOpacity(dimmed ? 128 : 255);
    board.DrawSheet(x, y, Bounds(mark * size, 0, size, size), sheet);
}

} // namespace tarvel
