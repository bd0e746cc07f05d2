#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "GameProject.h"
#include "game/GameBattleScene.h"
#include "graphics/PrismSheet.h"

namespace tarvel::runtime {

// The battle test's screen is 320 x 240 pixels, shown doubled.
constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 240;

// A line of text the window writes over the screen, in screen pixels.
struct TScreenText {
    int x, y;
    QString text;
    bool dim = false;
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
    game::TBattleScene mScene;
    TPrismSheet mSystem;
    QStringList mMonsterNames;
    QStringList mPartyLines;
    QString mGroupName;
    QString mProblem;
};

} // namespace tarvel::runtime
