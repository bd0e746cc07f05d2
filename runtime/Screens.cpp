#include "Screens.h"

#include <algorithm>

namespace tarvel::runtime {

// ---------------------------------------------------------------------------------------------

bool TBattleScreen::Load(const TGameProject& project, int groupID) {
    mMonsterNames.clear();
    mPartyLines.clear();
    if (!project.HasDataBase()) {
        mProblem = "The game could not be read:\n" + project.Error();
        return false;
    }
    const TQelDataBase& db = project.DataBase();
    const TQelMonGroupItem* group = db.MonGroups().Find(groupID);
    if (!group) {
        mProblem = QStringLiteral("The database has no monster group %1.").arg(groupID);
        return false;
    }
    mGroupName = QString::fromStdString(group->Name);
    const TQelSystem& system = db.System();
    std::string backdrop = system.MonGroupBackdrop;
    if (backdrop.empty() && db.Terrain().Count() > 0) backdrop = db.Terrain().Items(0)->BattleBackName;
    game::LoadMaterialPicture(mSystem, system.SystemName, "System");
    mScene.Load(db, *group, backdrop);
    for (const std::string& name : mScene.MonsterNames())
        mMonsterNames << QString::fromStdString(name);

    const TQelVocabulary& words = db.Vocabulary();
    for (int i = 0; i < system.TestParty.Count() && i < 4; ++i) {
        const TQelTestPlayerItem* member = system.TestParty.Items(i);
        const TQelPlayerItem* hero = db.Heroes().Find(member->HeroID);
        if (!hero) continue;
        mPartyLines << QStringLiteral("%1  %2 %3  %4 %5")
                           .arg(QString::fromStdString(hero->Name))
                           .arg(QString::fromStdString(words.Text(voLevelShort)))
                           .arg(member->Level)
                           .arg(QString::fromStdString(words.Text(voHPShort)))
                           .arg(hero->Curve(paMaxHP, member->Level));
    }
    mProblem.clear();
    return true;
}

void TBattleScreen::Draw(TPrismBoard& board) {
    board.SetSize(kScreenWidth, kScreenHeight);
    board.Clear();
    mScene.Draw(board);
    game::DrawSystemWindow(board, mSystem, Bounds(0, 160, 112, 80));
    game::DrawSystemWindow(board, mSystem, Bounds(112, 160, 208, 80));
}

std::vector<TScreenText> TBattleScreen::Texts() const {
    std::vector<TScreenText> texts;
    for (int i = 0; i < mMonsterNames.size() && i < 4; ++i)
        texts.push_back({10, 170 + 16 * i, mMonsterNames[i]});
    if (mMonsterNames.size() > 4) texts.back().text += QStringLiteral(" ...");
    for (int i = 0; i < mPartyLines.size(); ++i)
        texts.push_back({122, 170 + 16 * i, mPartyLines[i]});
    return texts;
}

} // namespace tarvel::runtime
