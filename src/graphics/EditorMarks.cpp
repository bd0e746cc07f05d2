#include "EditorMarks.h"

#include <cmath>
#include <functional>

namespace tarvel {

namespace {

// Palette indices of the mark pictures; 0 stays transparent.
enum : uint8_t { Clear = 0, Black = 1, White = 2, Highlight = 3, Red = 4, Blue = 5 };

void setPalette(TPrismSheet& sheet) {
    TPalette& p = sheet.Palette();
    p = TPalette{};
    p[Black] = {0, 0, 0, 0};
    p[White] = {255, 255, 255, 0};
    p[Highlight] = {255, 216, 0, 0};
    p[Red] = {255, 0, 0, 0};
    p[Blue] = {0, 0, 255, 0};
    sheet.UpdateColorTable();
}

// 5 x 7 digits, one string of 35 characters each, '#' set.
const char* const DigitGlyphs[10] = {
    ".###.#...##..###.#.###..##...#.###.", "..#...##....#....#....#....#...###.",
    ".###.#...#....#...#...#...#...#####", "#####...#...#.....#.....##...#.###.",
    "...#...##..#.#.#..#.#####...#....#.", "######....####.....#....##...#.###.",
    "..##..#...#....####.#...##...#.###.", "#####....#...#...#...#....#....#...",
    ".###.#...##...#.###.#...##...#.###.", ".###.#...##...#.####....#...#..##..",
};

bool glyphPixel(int digit, int x, int y) {
    if (x < 0 || x >= 5 || y < 0 || y >= 7) return false;
    return DigitGlyphs[digit][y * 5 + x] == '#';
}

// Draws the pixels the test sets in a box of the sheet with the fill colour, and every pixel of
// the box next to them (diagonals too) in black, so the mark reads on any chip beneath.
void drawOutlined(TPrismSheet& sheet, const TRect& box, uint8_t fill,
                  const std::function<bool(int, int)>& set) {
    for (int y = 0; y < box.Height(); ++y)
        for (int x = 0; x < box.Width(); ++x) {
            uint8_t& pixel = sheet.Row(box.top + y)[box.left + x];
            if (set(x, y)) {
                pixel = fill;
                continue;
            }
            for (int dy = -1; dy <= 1 && pixel != Black; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (set(x + dx, y + dy)) {
                        pixel = Black;
                        break;
                    }
        }
}

// Point in a polygon given as (x, y) pairs, by the even-odd rule, at the pixel's centre.
bool inPolygon(const double* xy, int corners, double px, double py) {
    bool inside = false;
    for (int i = 0, j = corners - 1; i < corners; j = i++) {
        const double xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
        if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
}

// The shape of mark m in its 16 x 16 box (pixel centres at x + 0.5).
bool markPixel(int m, int x, int y) {
    if (x < 0 || x >= 16 || y < 0 || y >= 16) return false;
    const double cx = x + 0.5 - 8.0, cy = y + 0.5 - 8.0;
    const double r = std::sqrt(cx * cx + cy * cy);
    switch (m) {
    case 0: // circle
        return r >= 3.6 && r <= 5.6;
    case 1: // cross
        return std::abs(cx) <= 5 && std::abs(cy) <= 5 &&
               (std::abs(cx - cy) <= 1.0 || std::abs(cx + cy) <= 1.0);
    case 2: // square
        return x >= 3 && x <= 12 && y >= 3 && y <= 12 && !(x >= 5 && x <= 10 && y >= 5 && y <= 10);
    case 3: { // star
        double xy[20];
        for (int i = 0; i < 10; ++i) {
            const double a = -M_PI / 2 + i * M_PI / 5;
            const double radius = (i % 2 == 0) ? 6.6 : 2.7;
            xy[2 * i] = radius * std::cos(a);
            xy[2 * i + 1] = radius * std::sin(a) + 0.6;
        }
        return inPolygon(xy, 10, cx, cy);
    }
    case 4: // counter: a table top on two legs
        return (y >= 4 && y <= 6 && x >= 2 && x <= 13) ||
               (y >= 7 && y <= 11 && (x == 3 || x == 4 || x == 11 || x == 12));
    // The arrows point out of the cell and keep to the outer half of their square, so the four of
    // a cell never cover each other or the dots of the closed directions.
    case 5: { // arrow down
        const double xy[6] = {-4.5, 1.5, 4.5, 1.5, 0, 6.5};
        return inPolygon(xy, 3, cx, cy);
    }
    case 6: { // arrow left
        const double xy[6] = {-1.5, -4.5, -1.5, 4.5, -6.5, 0};
        return inPolygon(xy, 3, cx, cy);
    }
    case 7: { // arrow right
        const double xy[6] = {1.5, -4.5, 1.5, 4.5, 6.5, 0};
        return inPolygon(xy, 3, cx, cy);
    }
    case 8: { // arrow up
        const double xy[6] = {-4.5, -1.5, 4.5, -1.5, 0, -6.5};
        return inPolygon(xy, 3, cx, cy);
    }
    case 9: // dot
        return r <= 2.0;
    }
    return false;
}

} // namespace

TRect ChipDigitRect(int d) {
    return Bounds(d * ChipDigitWidth, 0, ChipDigitWidth, ChipDigitHeight);
}

TRect ChipMarkRect(int m) {
    return Bounds((m % 5) * ChipMarkSize, ChipDigitHeight + (m / 5) * ChipMarkSize, ChipMarkSize,
                  ChipMarkSize);
}

void DrawChipMarkSheet(TPrismSheet& sheet, bool highlighted) {
    sheet.SetSize(ChipMarkSheetWidth, ChipMarkSheetHeight);
    for (int y = 0; y < sheet.Height(); ++y)
        std::fill(sheet.Row(y), sheet.Row(y) + sheet.Width(), uint8_t(Clear));
    setPalette(sheet);
    const uint8_t fill = highlighted ? Highlight : White;
    for (int d = 0; d < 10; ++d)
        drawOutlined(sheet, ChipDigitRect(d), fill,
                     [d](int x, int y) { return glyphPixel(d, x - 1, y - 5); });
    for (int m = 0; m < 10; ++m)
        drawOutlined(sheet, ChipMarkRect(m), fill, [m](int x, int y) { return markPixel(m, x, y); });
    sheet.SetTransparent(true);
}

TRect CellNumberRect(int cell, TCellNumberLook look) {
    return Bounds(cell * CellNumberSize, int(look) * CellNumberSize, CellNumberSize, CellNumberSize);
}

void DrawCellNumberSheet(TPrismSheet& sheet) {
    sheet.SetSize(CellNumberSheetWidth, CellNumberSheetHeight);
    for (int y = 0; y < sheet.Height(); ++y)
        std::fill(sheet.Row(y), sheet.Row(y) + sheet.Width(), uint8_t(Clear));
    setPalette(sheet);
    // A small label in the square's corner: the cell's number (1..8) on its colour.
    struct Look {
        uint8_t box, digit;
    };
    const Look looks[3] = {{Red, White}, {White, Black}, {Blue, White}};
    for (int look = 0; look < 3; ++look)
        for (int cell = 0; cell < 8; ++cell) {
            const TRect r = CellNumberRect(cell, TCellNumberLook(look));
            for (int y = 0; y < 11; ++y)
                for (int x = 0; x < 9; ++x) {
                    const bool edge = x == 0 || y == 0 || x == 8 || y == 10;
                    const bool digit = glyphPixel(cell + 1, x - 2, y - 2);
                    sheet.Row(r.top + y)[r.left + x] = edge    ? uint8_t(Black)
                                                       : digit ? looks[look].digit
                                                               : looks[look].box;
                }
        }
    sheet.SetTransparent(true);
}

} // namespace tarvel
