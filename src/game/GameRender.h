#pragma once

// Draws a game as it stands onto a 320 x 240 board: the map with its panorama, both layers with
// animated water and autotiles, the characters, what is drawn above them, pictures, weather,
// battle animations, the screen's tone, flash, shake and transitions, and the windows of the
// system graphic. Texts are not drawn into the board: they come with the frame as a list, and the
// shell draws them with its fonts over the board.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Game.h"
#include "GameBattleScene.h"
#include "graphics/GR_Animation.h"
#include "graphics/GR_CharSet.h"
#include "graphics/GR_ChipSet.h"
#include "graphics/PrismSheet.h"
#include "mapedit_core/MapGraphics.h"

namespace tarvel::game {

constexpr int kGameScreenWidth = 320;
constexpr int kGameScreenHeight = 240;

// A text on the frame: in the box from (x, y), w wide and h high, aligned in it.
struct TFrameText {
    enum TAlign { Left, Right, Center };
    int x = 0, y = 0, w = 0, h = 16;
    std::string text;
    TRGB colour{255, 255, 255};
    TRGB shadow{0, 0, 0};
    TAlign align = Left;
    int size = 12;     // pixel size of the font at 320 x 240
    bool wrap = false; // broken into lines within the box
};

struct TGameFrame {
    TPrismBoard board;
    std::vector<TFrameText> texts;
};

class TGameRenderer {
public:
    TGameRenderer();
    ~TGameRenderer();
    TGameRenderer(const TGameRenderer&) = delete;
    TGameRenderer& operator=(const TGameRenderer&) = delete;

    void Draw(const TGame& game, TGameFrame& frame);

private:
    void drawTitle(const TGame& game, TGameFrame& frame);
    void drawMap(const TGame& game, TGameFrame& frame);
    void drawPanorama(const TGame& game, TPrismBoard& board, int camX, int camY);
    void drawCells(const TGame& game, TPrismBoard& board, int camX, int camY, bool above);
    void drawCharacter(const TGame& game, TPrismBoard& board, const TGameCharacter& c, int camX, int camY);
    void drawPictures(const TGame& game, TPrismBoard& board);
    void drawWeather(const TGame& game, TPrismBoard& board);
    void drawAnimation(const TGame& game, TPrismBoard& board, int camX, int camY);
    void applyTone(const TGame& game, TPrismBoard& board);
    void applyTransition(const TGame& game, TPrismBoard& board);
    void drawMessage(const TGame& game, TGameFrame& frame);
    void drawMenu(const TGame& game, TGameFrame& frame);
    void drawSlots(const TGame& game, TGameFrame& frame);
    void drawBattle(const TGame& game, TGameFrame& frame);
    void drawShop(const TGame& game, TGameFrame& frame);
    void drawInn(const TGame& game, TGameFrame& frame);
    void drawNameEntry(const TGame& game, TGameFrame& frame);
    void drawOverlays(const TGame& game, TGameFrame& frame);

    // The windows of the system graphic.
    void loadSystem(const TGame& game);
    void window(TPrismBoard& board, const TRect& rect, bool transparent = false);
    void cursor(const TGame& game, TPrismBoard& board, const TRect& rect);
    TFrameText text(int x, int y, const std::string& s, int colour = 0) const;
    void list(const TGame& game, TGameFrame& frame, const TGameList& list, const TRect& rect, bool active);
    void drawFace(TPrismBoard& board, const std::string& name, int index, int x, int y, bool mirrored);

    // A picture of a material folder, loaded once.
    TPrismSheet& material(const std::string& name, const char* folder);

    TChipSetLook mChipLook;
    ChipSetRecordLook mChipRecord;
    std::unique_ptr<TQelChipSetGraphic> mChips;
    TQelCharSetGraphic mCharSets;
    std::map<std::string, std::unique_ptr<TPrismSheet>> mMaterials;
    std::string mSystemName;
    TPrismSheet* mSystem = nullptr;
    std::array<TRGB, 20> mTextColours{};
    TRGB mShadowColour{0, 0, 0};
    int64_t mTicks = 0;
    std::unique_ptr<TQelAnimationGraphic> mAnimation;
    int32_t mAnimationID = 0;
    std::unique_ptr<AnimationRecordPort> mAnimationRecord;
    TBattleScene mBattleScene;
    bool mBattleLoaded = false;
};

} // namespace tarvel::game
