#include "GameRender.h"

#include <algorithm>
#include <cmath>

#include "graphics/GraphicsPorts.h"
#include "mapedit_core/AnimationRecordLook.h"

namespace tarvel::game {

namespace {

constexpr int W = kGameScreenWidth;
constexpr int H = kGameScreenHeight;

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

uint16_t Blend(uint16_t over, uint16_t under, int alpha) { // alpha 0..256
    const int r = ((over >> 11) * alpha + (under >> 11) * (256 - alpha)) >> 8;
    const int g = (((over >> 5) & 63) * alpha + ((under >> 5) & 63) * (256 - alpha)) >> 8;
    const int b = ((over & 31) * alpha + (under & 31) * (256 - alpha)) >> 8;
    return uint16_t(r << 11 | g << 5 | b);
}

// Draws a sheet centred at (cx, cy), magnified, turned and rippled, blended by its opacity; index
// 0 is skipped when the key is used.
void DrawTransformed(TPrismBoard& board, TPrismSheet& sheet, int cx, int cy, int zoom, int opacity, bool key,
                     double angle, int ripple, int phase) {
    const int w = sheet.Width(), h = sheet.Height();
    if (w <= 0 || h <= 0 || zoom <= 0 || opacity <= 0) return;
    const double scale = zoom / 100.0;
    const double c = std::cos(angle), s = std::sin(angle);
    const int reach = int(std::ceil(std::hypot(w, h) / 2 * scale)) + ripple + 1;
    const int x0 = std::max(0, cx - reach), x1 = std::min(board.Width(), cx + reach + 1);
    const int y0 = std::max(0, cy - reach), y1 = std::min(board.Height(), cy + reach + 1);
    const uint16_t* table = sheet.ColorTable().data();
    const int alpha = opacity >= 255 ? 256 : opacity;
    for (int y = y0; y < y1; ++y) {
        uint16_t* out = board.Row(y);
        const double dy = y - cy;
        const int wave = ripple ? int(std::lround(ripple * std::sin((y + phase / 10) * 0.2))) : 0;
        for (int x = x0; x < x1; ++x) {
            const double dx = x - cx - wave;
            const int sx = int(std::floor((dx * c + dy * s) / scale + w / 2.0));
            const int sy = int(std::floor((-dx * s + dy * c) / scale + h / 2.0));
            if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
            const uint8_t index = sheet.Row(sy)[sx];
            if (key && index == 0) continue;
            out[x] = alpha == 256 ? table[index] : Blend(table[index], out[x], alpha);
        }
    }
}

uint32_t Hash(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352d;
    x ^= x >> 15;
    x *= 0x846ca68b;
    x ^= x >> 16;
    return x;
}

} // namespace

TGameRenderer::TGameRenderer() : mChips(std::make_unique<TQelChipSetGraphic>()) {}

TGameRenderer::~TGameRenderer() = default;

TPrismSheet& TGameRenderer::material(const std::string& name, const char* folder) {
    const std::string key = std::string(folder) + "/" + name;
    auto& sheet = mMaterials[key];
    if (!sheet) {
        sheet = std::make_unique<TPrismSheet>();
        LoadMaterialPicture(*sheet, name, folder);
    }
    return *sheet;
}

void TGameRenderer::loadSystem(const TGame& game) {
    const std::string& name = game.State().systemGraphic;
    if (mSystem && name == mSystemName) return;
    mSystemName = name;
    mSystem = &material(name, "System");
    // The text colours and the shadow are squares of the system graphic.
    for (int i = 0; i < 20; ++i) {
        const int x = (i % 10) * 16 + 8, y = 48 + (i / 10) * 16 + 8;
        mTextColours[size_t(i)] = {255, 255, 255};
        if (mSystem->Width() >= 160 && mSystem->Height() >= 80) {
            const TPaletteEntry& c = mSystem->Palette()[mSystem->Row(y)[x]];
            mTextColours[size_t(i)] = {c.red, c.green, c.blue};
        }
    }
    mTextColours[3] = mSystem->Width() >= 160 ? mTextColours[3] : TRGB{160, 160, 160};
    mShadowColour = {0, 0, 0};
    if (mSystem->Width() >= 160 && mSystem->Height() >= 16) {
        const TPaletteEntry& c = mSystem->Palette()[mSystem->Row(8)[152]];
        mShadowColour = {c.red, c.green, c.blue};
    }
}

void TGameRenderer::window(TPrismBoard& board, const TRect& rect, bool transparent) {
    DrawSystemWindow(board, *mSystem, rect, transparent);
}

void TGameRenderer::cursor(const TGame& game, TPrismBoard& board, const TRect& rect) {
    TPrismSheet& system = *mSystem;
    if (system.Width() < 128 || system.Height() < 32) {
        FrameRect(board, rect, {255, 255, 160});
        return;
    }
    // Two frames that take turns.
    const int sx = (game.Frame() / 16) % 2 ? 96 : 64;
    const int w = rect.Width(), h = rect.Height();
    system.SetTransparent(true);
    system.SetOpacity(255);
    board.StretchDrawSheet(Bounds(rect.left + 8, rect.top + 8, w - 16, h - 16), system,
                           Bounds(sx + 8, 8, 16, 16));
    board.DrawSheet(rect.left, rect.top, Bounds(sx, 0, 8, 8), system);
    board.DrawSheet(rect.right - 8, rect.top, Bounds(sx + 24, 0, 8, 8), system);
    board.DrawSheet(rect.left, rect.bottom - 8, Bounds(sx, 24, 8, 8), system);
    board.DrawSheet(rect.right - 8, rect.bottom - 8, Bounds(sx + 24, 24, 8, 8), system);
    board.StretchDrawSheet(Bounds(rect.left + 8, rect.top, w - 16, 8), system, Bounds(sx + 8, 0, 16, 8));
    board.StretchDrawSheet(Bounds(rect.left + 8, rect.bottom - 8, w - 16, 8), system,
                           Bounds(sx + 8, 24, 16, 8));
    board.StretchDrawSheet(Bounds(rect.left, rect.top + 8, 8, h - 16), system, Bounds(sx, 8, 8, 16));
    board.StretchDrawSheet(Bounds(rect.right - 8, rect.top + 8, 8, h - 16), system,
                           Bounds(sx + 24, 8, 8, 16));
}

TFrameText TGameRenderer::text(int x, int y, const std::string& s, int colour) const {
    TFrameText t;
    t.x = x;
    t.y = y;
    t.w = W - x;
    t.text = s;
    t.colour = mTextColours[size_t(std::clamp(colour, 0, 19))];
    t.shadow = mShadowColour;
    return t;
}

void TGameRenderer::list(const TGame& game, TGameFrame& frame, const TGameList& l, const TRect& rect,
                         bool active) {
    window(frame.board, rect);
    const int rows = std::max(1, (rect.Height() - 16) / 16);
    const int top = l.Top(rows);
    for (int i = top; i < l.Count() && i < top + rows; ++i) {
        const int y = rect.top + 8 + (i - top) * 16;
        if (i == l.Cursor() && active)
            cursor(game, frame.board, Bounds(rect.left + 4, y, rect.Width() - 8, 16));
        std::string item = l.Items()[size_t(i)];
        std::string right;
        const size_t tab = item.find('\t');
        if (tab != std::string::npos) {
            right = item.substr(tab + 1);
            item = item.substr(0, tab);
        }
        TFrameText t = text(rect.left + 8, y, item, l.Enabled(i) ? 0 : 3);
        t.w = rect.Width() - 16;
        frame.texts.push_back(t);
        if (!right.empty()) {
            TFrameText r = text(rect.left + 8, y, right, l.Enabled(i) ? 0 : 3);
            r.w = rect.Width() - 16;
            r.align = TFrameText::Right;
            frame.texts.push_back(r);
        }
    }
}

void TGameRenderer::drawFace(TPrismBoard& board, const std::string& name, int index, int x, int y,
                             bool mirrored) {
    TPrismSheet& sheet = material(name, "FaceSet");
    if (sheet.Width() < 48) return;
    sheet.SetTransparent(true);
    sheet.SetOpacity(255);
    const int sx = (index % 4) * 48, sy = (index / 4) * 48;
    if (!mirrored) {
        board.DrawSheet(x, y, Bounds(sx, sy, 48, 48), sheet);
        return;
    }
    for (int col = 0; col < 48; ++col)
        board.DrawSheet(x + 47 - col, y, Bounds(sx + col, sy, 1, 48), sheet);
}

// ---------------------------------------------------------------------------------------------

void TGameRenderer::Draw(const TGame& game, TGameFrame& frame) {
    frame.board.SetSize(W, H);
    frame.board.Clear();
    frame.texts.clear();
    loadSystem(game);
    if (game.Scene() != TScene::Battle) mBattleLoaded = false;
    switch (game.Scene()) {
    case TScene::Title:
        drawTitle(game, frame);
        break;
    case TScene::Map:
        drawMap(game, frame);
        break;
    case TScene::Menu:
        drawMap(game, frame);
        drawMenu(game, frame);
        break;
    case TScene::Save:
    case TScene::Load:
        drawSlots(game, frame);
        break;
    case TScene::Battle:
        drawBattle(game, frame);
        break;
    case TScene::GameOver: {
        TPrismSheet& sheet = material(game.DataBase().System().GameOverName, "GameOver");
        sheet.SetTransparent(false);
        sheet.SetOpacity(255);
        frame.board.DrawSheet(0, 0, Bounds(0, 0, std::min(sheet.Width(), W), std::min(sheet.Height(), H)),
                              sheet);
        break;
    }
    default:
        break;
    }
    drawOverlays(game, frame);
}

void TGameRenderer::drawTitle(const TGame& game, TGameFrame& frame) {
    TPrismSheet& sheet = material(game.DataBase().System().TitleName, "Title");
    sheet.SetTransparent(false);
    sheet.SetOpacity(255);
    frame.board.DrawSheet(0, 0, Bounds(0, 0, std::min(sheet.Width(), W), std::min(sheet.Height(), H)), sheet);
    const TGameList& l = game.TitleList();
    list(game, frame, l, Bounds(W / 2 - 52, H - 16 * l.Count() - 32, 104, 16 * l.Count() + 16), true);
}

void TGameRenderer::drawPanorama(const TGame& game, TPrismBoard& board, int camX, int camY) {
    const TGame::TPanorama& p = game.Panorama();
    if (!p.use || p.name.empty()) return;
    TPrismSheet& sheet = material(p.name, "Panorama");
    const int pw = sheet.Width(), ph = sheet.Height();
    if (pw <= 0 || ph <= 0) return;
    const TGameMap& map = *game.Map();
    auto offset = [](bool loop, bool autoScroll, int scroll, int cam, int size, int mapPixels) {
        if (loop) return autoScroll ? scroll / kFine : cam / 2;
        // A picture that does not loop moves so that its edges meet the map's edges.
        if (mapPixels <= (size == 0 ? 1 : 0)) return 0;
        return 0;
    };
    int ox = offset(p.horzLoop, p.horzAuto, p.scrollX, camX, pw, map.Width() * kCellPixels);
    int oy = offset(p.vertLoop, p.vertAuto, p.scrollY, camY, ph, map.Height() * kCellPixels);
    if (!p.horzLoop && pw > W && map.Width() * kCellPixels > W)
        ox = camX * (pw - W) / (map.Width() * kCellPixels - W);
    if (!p.vertLoop && ph > H && map.Height() * kCellPixels > H)
        oy = camY * (ph - H) / (map.Height() * kCellPixels - H);
    sheet.SetTransparent(false);
    sheet.SetOpacity(255);
    const int startX = -(((ox % pw) + pw) % pw), startY = -(((oy % ph) + ph) % ph);
    for (int y = startY; y < H; y += ph)
        for (int x = startX; x < W; x += pw)
            board.DrawSheet(x, y, sheet.BoundsRect(), sheet);
}

void TGameRenderer::drawCells(const TGame& game, TPrismBoard& board, int camX, int camY, bool above) {
    const TGameMap& map = *game.Map();
    if (!map.ChipSet()) return;
    mChipRecord.SetRecord(map.ChipSet());
    mChips->SetChipSet(&mChipRecord);
    const int time = int(game.Screen().Ticks() & 0x3FFFFFFF);
    const bool panorama = game.Panorama().use && !game.Panorama().name.empty();
    const int left = FloorDiv(camX, kCellPixels), top = FloorDiv(camY, kCellPixels);
    for (int cy = top; cy <= top + H / kCellPixels + 1; ++cy)
        for (int cx = left; cx <= left + W / kCellPixels + 1; ++cx) {
            int x = cx, y = cy;
            if (!map.WrapCell(x, y)) continue;
            const int px = cx * kCellPixels - camX, py = cy * kCellPixels - camY;
            const int lower = map.Data().LowerLayer.GetChip(x, y);
            const int upper = map.Data().UpperLayer.GetChip(x, y);
            if (!above) {
                mChips->SetTransparent(panorama);
                mChips->DrawChip(board, px, time, lower, false, kCellPixels, py);
                if (!map.UpperAbove(x, y)) {
                    mChips->SetTransparent(true);
                    mChips->DrawChip(board, px, time, upper, false, kCellPixels, py);
                }
            } else {
                mChips->SetTransparent(true);
                if (map.LowerAbove(x, y)) mChips->DrawChip(board, px, time, lower, false, kCellPixels, py);
                if (map.UpperAbove(x, y)) mChips->DrawChip(board, px, time, upper, false, kCellPixels, py);
            }
        }
}

void TGameRenderer::drawCharacter(const TGame& game, TPrismBoard& board, const TGameCharacter& c, int camX,
                                  int camY) {
    const TGameMap& map = *game.Map();
    int px = c.RealX() * kCellPixels / kCellUnits - camX;
    int py = c.RealY() * kCellPixels / kCellUnits - camY;
    // On a looping map a character is drawn where it is nearest to the view.
    const int mapW = map.Width() * kCellPixels, mapH = map.Height() * kCellPixels;
    if (map.LoopsX() && mapW > 0) {
        while (px < -32)
            px += mapW;
        while (px > W + 32)
            px -= mapW;
    }
    if (map.LoopsY() && mapH > 0) {
        while (py < -32)
            py += mapH;
        while (py > H + 32)
            py -= mapH;
    }
    py -= c.JumpHeight();
    const int opacity = 255 * (8 - c.Transparency()) / 8;
    if (c.CharName().empty()) {
        if (c.CharIndex() <= 0) return;
        mChips->SetTransparent(true);
        mChips->Sheet().SetOpacity(opacity);
        mChips->DrawChip(board, px, 0, 10000 + c.CharIndex(), false, kCellPixels, py);
        mChips->Sheet().SetOpacity(255);
        return;
    }
    TPrismSheet& sheet = mCharSets.Sheet(mCharSets.Acquire(c.CharName()));
    sheet.SetTransparent(true);
    const int flash = c.FlashStrength();
    if (flash > 0) sheet.ColorControl1().SetTone(c.FlashRed(), c.FlashGreen(), c.FlashBlue(), flash, true);
    const TPoint origin = CharSetFrameOrigin(c.CharIndex() & 7, c.Pattern(), c.Direction());
    // The terrain under a character may hide its lower part (grass) or show it see-through.
    int display = 0;
    if (!c.Jumping()) {
        const TQelGroundItem* terrain = game.DataBase().Terrain().Find(map.TerrainID(c.X(), c.Y()));
        display = terrain && c.Layer() == layerSame && !c.Moving() ? terrain->CharDisplay : 0;
    }
    const int x = px - 4, y = py - 16;
    if (display == 1 || display == 2) {
        const int cut = display == 1 ? 32 / 3 : 16;
        sheet.SetOpacity(opacity);
        board.DrawSheet(x, y, Bounds(origin.x, origin.y, 24, 32 - cut), sheet);
        sheet.SetOpacity(opacity * 3 / 8);
        board.DrawSheet(x, y + 32 - cut, Bounds(origin.x, origin.y + 32 - cut, 24, cut), sheet);
    } else {
        sheet.SetOpacity(display == 3 ? opacity / 2 : opacity);
        board.DrawSheet(x, y, Bounds(origin.x, origin.y, 24, 32), sheet);
    }
    sheet.SetOpacity(255);
    if (flash > 0) sheet.ColorControl1().SetTone(0, 0, 0, 0, true);
}

void TGameRenderer::drawMap(const TGame& game, TGameFrame& frame) {
    const TGameMap* map = game.Map();
    TPrismBoard& board = frame.board;
    if (!map) return;
    const int camX = game.CameraX() - game.Screen().ShakeOffset(), camY = game.CameraY();
    if (!game.Screen().Erased() || game.Screen().InTransition()) {
        drawPanorama(game, board, camX, camY);
        drawCells(game, board, camX, camY, false);
        // Characters by their level, then from the back to the front.
        struct Drawn {
            const TGameCharacter* c;
            int layer;
        };
        std::vector<Drawn> drawn;
        for (const auto& event : map->Events())
            if (event->Active()) drawn.push_back({event.get(), event->Layer()});
        for (int v = 0; v < kVehicleCount; ++v)
            if (game.VehicleHere(v) || game.Riding() == v)
                drawn.push_back({&game.VehicleCharacter(v), v == vhAirship ? layerAbove : layerSame});
        if (game.HeroVisible() && game.Riding() < 0) drawn.push_back({&game.Hero(), layerSame});
        std::stable_sort(drawn.begin(), drawn.end(), [](const Drawn& a, const Drawn& b) {
            if (a.layer != b.layer) return a.layer < b.layer;
            return a.c->RealY() < b.c->RealY();
        });
        bool aboveDone = false;
        for (const Drawn& d : drawn) {
            if (d.layer == layerAbove && !aboveDone) {
                drawCells(game, board, camX, camY, true);
                aboveDone = true;
            }
            drawCharacter(game, board, *d.c, camX, camY);
        }
        if (!aboveDone) drawCells(game, board, camX, camY, true);
        drawWeather(game, board);
        drawPictures(game, board);
        drawAnimation(game, board, camX, camY);
        applyTone(game, board);
        if (game.MovieFrames() > 0)
            FillRect(board, Bounds(game.MovieX(), game.MovieY(), game.MovieW(), game.MovieH()), {0, 0, 0});
    }
    applyTransition(game, board);
    if (game.Scene() == TScene::Map) drawMessage(game, frame);
    // The timer.
    const TGameTimer& timer = game.State().timer;
    if (timer.visible) {
        const int s = timer.Seconds();
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%02d:%02d", s / 60, s % 60);
        TFrameText t = text(W - 56, 4, buffer);
        t.w = 48;
        t.align = TFrameText::Right;
        frame.texts.push_back(t);
    }
}

void TGameRenderer::drawWeather(const TGame& game, TPrismBoard& board) {
    const int weather = game.Screen().Weather();
    if (weather == 0) return;
    const int count = 40 * (game.Screen().WeatherStrength() + 1);
    const int64_t t = game.Screen().Ticks();
    for (int i = 0; i < count; ++i) {
        const uint32_t h = Hash(uint32_t(i) * 2654435761u);
        if (weather == 1) {
            // Rain: short slanted streaks falling fast.
            const int x = int((h % 400 + uint32_t(t) * 3) % 400) - 40;
            const int y = int(((h >> 9) % 260 + uint32_t(t) * 9) % 260) - 20;
            for (int k = 0; k < 6; ++k) {
                const int px = x - k / 2, py = y + k;
                if (px >= 0 && py >= 0 && px < W && py < H)
                    board.Row(py)[px] = Blend(Pack565({200, 210, 255}), board.Row(py)[px], 170);
            }
        } else {
            // Snow: flakes drifting down and swaying.
            const int sway = int(std::lround(6 * std::sin((t + int64_t(h % 100)) * 0.05)));
            const int x = int((h % 340 + uint32_t(t) / 2) % 340) - 10 + sway;
            const int y = int(((h >> 9) % 250 + uint32_t(t) * (1 + h % 2)) % 250) - 5;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const int px = x + dx, py = y + dy;
                    if (px >= 0 && py >= 0 && px < W && py < H) board.Row(py)[px] = Pack565({255, 255, 255});
                }
        }
    }
}

void TGameRenderer::drawPictures(const TGame& game, TPrismBoard& board) {
    for (const TGamePicture& p : game.Screen().Pictures()) {
        if (!p.shown || p.name.empty()) continue;
        TPrismSheet& sheet = material(p.name, "Picture");
        int x = p.x.value / kFine, y = p.y.value / kFine;
        if (p.scrolls) {
            x -= game.CameraX() - p.viewX;
            y -= game.CameraY() - p.viewY;
        }
        sheet.ColorControl1().SetColor(p.red.Whole(), p.green.Whole(), p.blue.Whole(), p.saturation.Whole(),
                                       true);
        const int opacity = (100 - std::clamp(p.transparency.Whole(), 0, 100)) * 255 / 100;
        const double angle = p.effect == 1 ? p.phase * 3.14159265358979 / 1800.0 : 0.0;
        const int ripple = p.effect == 2 ? std::clamp(p.effectPower.Whole(), 0, 10) : 0;
        DrawTransformed(board, sheet, x, y, p.zoom.Whole(), opacity, p.useKey, angle, ripple, p.phase);
    }
}

void TGameRenderer::drawAnimation(const TGame& game, TPrismBoard& board, int camX, int camY) {
    const TMapAnimation& a = game.Screen().Animation();
    if (!a.active) return;
    const TQelAnimationItem* item = game.DataBase().Animations().Find(a.animationID);
    if (!item) return;
    if (!mAnimation || mAnimationID != a.animationID) {
        mAnimationRecord = std::make_unique<TAnimationRecordLook>(item);
        mAnimation = std::make_unique<TQelAnimationGraphic>();
        mAnimation->SetAnimation(mAnimationRecord.get(), true);
        mAnimationID = a.animationID;
    }
    int x = W / 2, y = H / 2;
    if (!a.global) {
        const TGameCharacter* c = const_cast<TGame&>(game).Character(a.target, 0);
        if (!c) return;
        x = c->RealX() * kCellPixels / kCellUnits - camX + kCellPixels / 2;
        y = c->RealY() * kCellPixels / kCellUnits - camY + kCellPixels;
        // Over the head, the middle or the feet of a 32 pixel high character.
        y -= item->Position == 0 ? 32 : item->Position == 1 ? 16 : 0;
    }
    mAnimation->DrawFrame(board, x, a.frame, y);
}

void TGameRenderer::applyTone(const TGame& game, TPrismBoard& board) {
    const TTone tone = game.Screen().Tone();
    const int flash = game.Screen().FlashStrength();
    if (tone.Neutral() && flash == 0) return;
    const TRGB flashColour{uint8_t(game.Screen().FlashRed() * 255 / 31),
                           uint8_t(game.Screen().FlashGreen() * 255 / 31),
                           uint8_t(game.Screen().FlashBlue() * 255 / 31)};
    const uint16_t flash565 = Pack565(flashColour);
    const int flashAlpha = flash * 256 / 32;
    for (int y = 0; y < board.Height(); ++y) {
        uint16_t* row = board.Row(y);
        for (int x = 0; x < board.Width(); ++x) {
            if (!tone.Neutral()) {
                const TRGB c = Unpack565(row[x]);
                const int grey = (c.red + c.green + c.blue) / 3;
                auto channel = [&](int v, int percent) {
                    const int saturated = grey + (v - grey) * tone.saturation / 100;
                    return std::clamp(saturated * percent / 100, 0, 255);
                };
                row[x] = Pack565({uint8_t(channel(c.red, tone.red)), uint8_t(channel(c.green, tone.green)),
                                  uint8_t(channel(c.blue, tone.blue))});
            }
            if (flash > 0) row[x] = Blend(flash565, row[x], flashAlpha);
        }
    }
}

void TGameRenderer::applyTransition(const TGame& game, TPrismBoard& board) {
    const TTransition& tr = game.Screen().Transition();
    if (!tr.active) {
        if (game.Screen().Erased()) FillRect(board, Bounds(0, 0, W, H), {0, 0, 0});
        return;
    }
    // How much of the screen is gone: 0 none .. 256 all.
    const int gone = tr.erase ? tr.Progress() : 256 - tr.Progress();
    // The shown picture moves (scroll, division, zoom) or is covered (everything else).
    std::vector<uint16_t> copy;
    auto snapshot = [&] {
        copy.assign(size_t(W * H), 0);
        for (int y = 0; y < H; ++y)
            std::copy(board.Row(y), board.Row(y) + W, copy.begin() + y * W);
    };
    auto from = [&](int x, int y) -> uint16_t {
        return x >= 0 && y >= 0 && x < W && y < H ? copy[size_t(y * W + x)] : 0;
    };
    // Erase and show types are numbered alike, except the scrolls, whose directions are turned.
    int type = tr.type;
    if (!tr.erase && type >= 9 && type <= 12) type = type == 9 ? 10 : type == 10 ? 9 : type == 11 ? 12 : 11;
    switch (type) {
    case 0: // fade
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                board.Row(y)[x] = Blend(0, board.Row(y)[x], gone);
        return;
    case 9:
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
    case 16:
    case 18: {
        snapshot();
        const int dx = W * gone / 256, dy = H * gone / 256;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                uint16_t v = 0;
                switch (type) {
                case 9:
                    v = from(x, y + dy);
                    break; // up
                case 10:
                    v = from(x, y - dy);
                    break; // down
                case 11:
                    v = from(x + dx, y);
                    break; // left
                case 12:
                    v = from(x - dx, y);
                    break; // right
                case 13:
                    v = y < H / 2 ? from(x, y + dy / 2) : from(x, y - dy / 2);
                    break;
                case 14:
                    v = x < W / 2 ? from(x + dx / 2, y) : from(x - dx / 2, y);
                    break;
                case 15:
                    v = from(x < W / 2 ? x + dx / 2 : x - dx / 2, y < H / 2 ? y + dy / 2 : y - dy / 2);
                    break;
                case 16: {
                    // Zoom: magnified around the middle while it darkens.
                    const int z = 256 + gone * 3;
                    v = Blend(0, from(W / 2 + (x - W / 2) * 256 / z, H / 2 + (y - H / 2) * 256 / z), gone);
                    break;
                }
                default:
                    v = from(x + ((y & 1) ? dx : -dx), y);
                    break; // rows slide apart
                }
                board.Row(y)[x] = v;
            }
        return;
    }
    case 17: { // mosaic
        snapshot();
        const int block = 1 + 31 * gone / 256;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                board.Row(y)[x] = Blend(0, from(x / block * block, y / block * block), gone);
        return;
    }
    default:
        break;
    }
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            bool hidden = false;
            const uint32_t block = Hash(uint32_t((y / 8) * 40 + x / 8)) % 256;
            switch (type) {
            case 1:
                hidden = int(block) < gone;
                break;
            case 2:
                hidden = (int(block) + (y / 8) * 256 / 30) / 2 < gone;
                break; // from the bottom up
            case 3:
                hidden = (int(block) + (29 - y / 8) * 256 / 30) / 2 < gone;
                break; // from the top down
            case 4:
                hidden = (y % 8) * 32 < gone;
                break; // blinds
            case 5:
                hidden = (y / 4) % 2 ? x * 256 / W < gone : (W - 1 - x) * 256 / W < gone;
                break;
            case 6:
                hidden = (x / 4) % 2 ? y * 256 / H < gone : (H - 1 - y) * 256 / H < gone;
                break;
            case 7:
            case 8: {
                // The distance from the middle, 0 there and 256 at the corners.
                const int d =
                    std::max(std::abs(x - W / 2) * 256 / (W / 2), std::abs(y - H / 2) * 256 / (H / 2));
                hidden = type == 7 ? d > 256 - gone : d < gone;
                break;
            }
            default:
                hidden = gone >= 256;
                break;
            }
            if (hidden) board.Row(y)[x] = 0;
        }
}

// ---------------------------------------------------------------------------------------------

void TGameRenderer::drawMessage(const TGame& game, TGameFrame& frame) {
    const TGameMessage& m = game.Message();
    if (!m.Visible()) return;
    int top = m.Style().position * 80;
    if (m.Style().autoPosition && game.Map()) {
        // Moves away from the hero when it would cover it.
        const int heroY = game.Hero().RealY() * kCellPixels / kCellUnits - game.CameraY();
        if (heroY + 16 > top && heroY - 16 < top + 80) top = heroY < H / 2 ? 160 : 0;
    }
    window(frame.board, Bounds(0, top, W, 80), m.Style().transparent);
    int x = 8;
    if (!m.Face().name.empty()) {
        drawFace(frame.board, m.Face().name, m.Face().index, m.Face().right ? W - 56 : 8, top + 16,
                 m.Face().mirrored);
        if (!m.Face().right) x = 64;
    }
    int row = 0;
    for (const std::string& line : m.Lines())
        frame.texts.push_back(text(x, top + 8 + 16 * row++, line));
    if (m.Choosing()) {
        for (size_t i = 0; i < m.Choices().size(); ++i) {
            const int y = top + 8 + 16 * row;
            if (int(i) == m.ChoiceCursor())
                cursor(game, frame.board, Bounds(x - 4, y, (m.Face().right ? W - 64 : W - 8) - x, 16));
            frame.texts.push_back(text(x + 4, y, m.Choices()[i]));
            ++row;
        }
    }
    if (m.EnteringNumber()) {
        const int y = top + 8 + 16 * row;
        for (int d = 0; d < m.Digits(); ++d) {
            if (d == m.DigitCursor()) cursor(game, frame.board, Bounds(x - 2 + 12 * d, y, 14, 16));
            TFrameText t = text(x + 12 * d, y, std::string(1, char('0' + m.DigitAt(d))));
            t.w = 10;
            t.align = TFrameText::Center;
            frame.texts.push_back(t);
        }
    }
}

void TGameRenderer::drawMenu(const TGame& game, TGameFrame& frame) {
    const TQelVocabulary& words = game.DataBase().Vocabulary();
    const TGameParty& party = game.State().party;
    if (game.MenuPage() == 1 || game.MenuPage() == 3) {
        // The items: the explanation of the one under the cursor above the list.
        window(frame.board, Bounds(0, 0, W, 32));
        const TGameList& l = game.SubList();
        int index = 0;
        for (const auto& [id, count] : party.Items())
            if (index++ == l.Cursor())
                if (const TQelItemItem* item = game.DataBase().Items().Find(id))
                    frame.texts.push_back(text(8, 8, item->Description));
        list(game, frame, l, Bounds(0, 32, W, H - 32), game.MenuPage() == 1);
        // The heroes to use it on, over the list.
        const TGameList& heroes = game.TargetList();
        if (game.MenuPage() == 3)
            list(game, frame, heroes, Bounds(W - 200, 48, 192, 16 * heroes.Count() + 16), true);
        return;
    }
    const TGameList& menu = game.MenuList();
    list(game, frame, menu, Bounds(0, 0, 88, 16 * menu.Count() + 16), game.MenuPage() == 0);
    // The money under the commands.
    window(frame.board, Bounds(0, H - 32, 88, 32));
    TFrameText money = text(8, H - 24, std::to_string(party.Money()) + words.Text(voCurrency));
    money.w = 72;
    money.align = TFrameText::Right;
    frame.texts.push_back(money);
    // The party's status.
    window(frame.board, Bounds(88, 0, W - 88, H));
    int y = 8;
    for (int32_t id : party.Members()) {
        auto it = party.Heroes().find(id);
        if (it == party.Heroes().end()) continue;
        const TGameHero& hero = it->second;
        drawFace(frame.board, hero.faceName, hero.faceIndex, 96, y, false);
        frame.texts.push_back(text(152, y, hero.name));
        frame.texts.push_back(text(232, y, hero.title, 1));
        std::string condition = words.Text(voNormalState);
        if (!hero.conditions.empty())
            if (const TQelStatusItem* c = game.DataBase().Conditions().Find(hero.conditions.front()))
                condition = c->Name;
        frame.texts.push_back(text(
            152, y + 16, words.Text(voLevelShort) + " " + std::to_string(hero.level) + "  " + condition));
        frame.texts.push_back(text(152, y + 32,
                                   words.Text(voHPShort) + " " + std::to_string(hero.hp) + "/" +
                                       std::to_string(party.MaxHP(hero)) + "  " + words.Text(voMPShort) +
                                       " " + std::to_string(hero.mp) + "/" +
                                       std::to_string(party.MaxMP(hero))));
        y += 56;
    }
    if (game.MenuPage() == 2) {
        window(frame.board, Bounds(W / 2 - 100, 88, 200, 64));
        frame.texts.push_back(text(W / 2 - 92, 96, words.Text(voEndGameConfirm)));
        list(game, frame, game.SubList(), Bounds(W / 2 - 40, 152, 80, 48), true);
    }
}

void TGameRenderer::drawSlots(const TGame& game, TGameFrame& frame) {
    const TQelVocabulary& words = game.DataBase().Vocabulary();
    const bool save = game.Scene() == TScene::Save;
    window(frame.board, Bounds(0, 0, W, 32));
    frame.texts.push_back(text(8, 8, words.Text(save ? voSavePrompt : voLoadPrompt)));
    list(game, frame, game.SlotList(), Bounds(0, 32, W, H - 32), true);
}

void TGameRenderer::drawBattle(const TGame& game, TGameFrame& frame) {
    const TQelDataBase& db = game.DataBase();
    const TQelMonGroupItem* group = db.MonGroups().Find(game.Battle().groupID);
    if (group && (!mBattleLoaded || mBattleScene.GroupID() != group->ID)) {
        mBattleLoaded = true;
        // The backdrop of the terrain the party stands on, or the system's.
        std::string backdrop = db.System().MonGroupBackdrop;
        if (game.Map())
            if (const TQelGroundItem* terrain =
                    db.Terrain().Find(game.Map()->TerrainID(game.Hero().X(), game.Hero().Y())))
                if (!terrain->BattleBackName.empty()) backdrop = terrain->BattleBackName;
        mBattleScene.Load(db, *group, backdrop);
    }
    if (group) mBattleScene.Draw(frame.board);
    window(frame.board, Bounds(0, 160, 216, 80));
    frame.texts.push_back(text(8, 168, group ? group->Name : "?"));
    TFrameText note = text(8, 186, "Battles are not played in test play yet: choose how this one ends.");
    note.w = 200;
    note.h = 48;
    note.wrap = true;
    note.size = 11;
    frame.texts.push_back(note);
    list(game, frame, game.BattleList(), Bounds(216, 160, 104, 80), true);
}

void TGameRenderer::drawShop(const TGame& game, TGameFrame& frame) {
    const TGame::TShop& shop = game.Shop();
    const TQelVocabulary& words = game.DataBase().Vocabulary();
    const TGameParty& party = game.State().party;
    // What the shopkeeper says, the list, and the money.
    window(frame.board, Bounds(0, 0, W, 32));
    const int say = shop.page == 0   ? (shop.traded ? shChooseBusinessAgain : shChooseBusiness)
                    : shop.page == 1 ? shBuyWhich
                                     : shSellWhich;
    frame.texts.push_back(text(8, 8, shop.texts[size_t(say)]));
    if (shop.page == 0) {
        list(game, frame, game.ShopList(), Bounds(0, 32, 120, 16 * game.ShopList().Count() + 16), true);
    } else {
        list(game, frame, game.ShopList(), Bounds(0, 32, W, H - 64), true);
        // The explanation of the item under the cursor.
        window(frame.board, Bounds(0, H - 32, W - 96, 32));
        int32_t id = 0;
        if (shop.page == 1 && game.ShopList().Cursor() < int(shop.goods.size()))
            id = shop.goods[size_t(game.ShopList().Cursor())];
        if (shop.page == 2) {
            int index = 0;
            for (const auto& [item, count] : party.Items())
                if (index++ == game.ShopList().Cursor()) id = item;
        }
        if (const TQelItemItem* item = game.DataBase().Items().Find(id))
            frame.texts.push_back(text(8, H - 24, item->Description));
    }
    window(frame.board, Bounds(W - 96, H - 32, 96, 32));
    TFrameText money = text(W - 88, H - 24, std::to_string(party.Money()) + words.Text(voCurrency));
    money.w = 80;
    money.align = TFrameText::Right;
    frame.texts.push_back(money);
}

void TGameRenderer::drawInn(const TGame& game, TGameFrame& frame) {
    const TGame::TInn& inn = game.Inn();
    window(frame.board, Bounds(0, 160, W, 80));
    int y = 168;
    for (const std::string& line : inn.lines) {
        frame.texts.push_back(text(8, y, line));
        y += 16;
    }
    list(game, frame, game.ShopList(), Bounds(W - 112, 96, 112, 16 * game.ShopList().Count() + 16), true);
}

void TGameRenderer::drawNameEntry(const TGame& game, TGameFrame& frame) {
    const TGame::TNameEntry& n = game.NameEntry();
    auto it = game.State().party.Heroes().find(n.heroID);
    window(frame.board, Bounds(0, 0, W, 64));
    if (it != game.State().party.Heroes().end())
        drawFace(frame.board, it->second.faceName, it->second.faceIndex, 8, 8, false);
    frame.texts.push_back(text(72, 16, n.name + "_"));
    window(frame.board, Bounds(0, 64, W, H - 64));
    const int columns = TGame::TNameEntry::kColumns;
    const int count = int(n.letters.size());
    for (int i = 0; i < count; ++i) {
        // The three last entries (space, back, done) take the rest of the last row, wider.
        const bool command = i >= count - 3;
        const int column = i % columns, firstCommand = (count - 3) % columns;
        const int x = command ? 16 + firstCommand * 28 + (i - (count - 3)) * 56 : 16 + column * 28;
        const int y = 76 + (i / columns) * 20;
        const int w = command ? 52 : 24;
        if (i == n.cursor) cursor(game, frame.board, Bounds(x - 2, y, w, 18));
        TFrameText t = text(x, y, n.letters[size_t(i)]);
        t.w = w - 4;
        t.align = TFrameText::Center;
        frame.texts.push_back(t);
    }
}

void TGameRenderer::drawOverlays(const TGame& game, TGameFrame& frame) {
    const std::string notice = game.NoticeOnScreen();
    if (notice.empty()) return;
    // A band at the bottom that says what a script asked for in vain.
    FillRect(frame.board, Bounds(0, H - 30, W, 30), {96, 16, 16});
    TFrameText t = text(4, H - 29, notice);
    t.colour = {255, 255, 255};
    t.shadow = {0, 0, 0};
    t.w = W - 8;
    t.h = 28;
    t.size = 9;
    t.wrap = true;
    frame.texts.push_back(t);
}

} // namespace tarvel::game
