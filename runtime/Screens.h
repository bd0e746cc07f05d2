#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "GameProject.h"
#include "data/LD_Map.h"
#include "graphics/PrismSheet.h"

namespace tarvel::runtime {

// The game screen is 320 x 240 pixels, shown doubled.
constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 240;

// A line of text the window writes over the screen, in screen pixels.
struct TScreenText {
    int x, y;
    QString text;
    bool dim = false;
};

// The title picture of the system record.
class TTitleScreen {
public:
    void Load(const TGameProject& project);
    void Draw(TPrismBoard& board);

private:
    TPrismSheet mSheet;
};

// The party's start map centred on the start position, with the party's walk graphic there, the
// vehicles that start on the same map and the events as their first active pages show them at
// the start of a game.
class TMapScreen {
public:
    TMapScreen();
    ~TMapScreen();
    // False (with Problem()) when the party has no start position or its map cannot be read.
    bool Load(const TGameProject& project);
    void Draw(TPrismBoard& board);
    const QString& Problem() const { return mProblem; }
    // "MAP0001 (12, 7)": the map's name in the tree and the start cell.
    QString Caption() const;

    int StartX() const { return mStartX; }
    int StartY() const { return mStartY; }

private:
    struct Sprite {
        std::string charName; // empty: an upper chip
        int index = 0;        // character in the set, or upper chip index
        int direction = 2;
        int pattern = 1;
        int x = 0, y = 0; // map cell
        int priority = 1; // 0 below the characters, 1 with them, 2 above
        bool translucent = false;
    };
    void drawSprite(TPrismBoard& board, const Sprite& s, int viewX, int viewY);

    const TGameProject* mProject = nullptr;
    std::unique_ptr<TQelMap> mMap;
    std::vector<Sprite> mSprites;
    QString mProblem;
    QString mMapName;
    int mStartX = 0, mStartY = 0;
};

// A battle test's monster group on its backdrop, with the group's and the test party's names
// in windows of the system graphic below.
class TBattleScreen {
public:
    // False (with Problem()) when the group does not exist.
    bool Load(const TGameProject& project, int groupID);
    void Draw(TPrismBoard& board);
    const QString& Problem() const { return mProblem; }
    // The texts of the two windows below the scene.
    std::vector<TScreenText> Texts() const;
    const QString& GroupName() const { return mGroupName; }

private:
    struct Member {
        std::unique_ptr<TPrismSheet> sheet;
        int x = 0, y = 0;
        int opacity = 255;
    };
    TPrismSheet mBackdrop;
    TPrismSheet mSystem;
    std::vector<Member> mMembers; // in drawing order
    QStringList mMonsterNames;
    QStringList mPartyLines;
    QString mGroupName;
    QString mProblem;
};

// Draws a window of the system graphic (wallpaper stretched, 8-pixel frame) over a rectangle.
void DrawSystemWindow(TPrismBoard& board, TPrismSheet& system, const TRect& rect);

} // namespace tarvel::runtime
