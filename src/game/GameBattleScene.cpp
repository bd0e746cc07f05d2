#include "GameBattleScene.h"

#include <algorithm>

#include "graphics/GraphicsPorts.h"

namespace tarvel::game {

void LoadMaterialPicture(TPrismSheet& sheet, const std::string& name, const char* folder) {
    sheet.SetAutoSize(true);
    sheet.LoadFromFile(name.empty() ? std::string() : MaterialLocator().Locate(name, folder), false);
}

TBattleScene::TBattleScene() : mBackdrop(std::make_unique<TPrismSheet>()) {}

TBattleScene::~TBattleScene() = default;

void TBattleScene::Load(const TQelDataBase& db, const TQelMonGroupItem& group, const std::string& backdrop) {
    mGroupID = group.ID;
    mMembers.clear();
    mNames.clear();
    LoadMaterialPicture(*mBackdrop, backdrop, "Backdrop");
    struct Placed {
        Member member;
        int bottom;
        int index;
    };
    std::vector<Placed> placed;
    for (int i = 0; i < group.Members.Count(); ++i) {
        const TQelMonGroupMonsterItem* m = group.Members.Items(i);
        const TQelMonsterItem* monster = db.Monsters().Find(m->MonsterID);
        if (!monster || m->Invisible) continue;
        Member member;
        member.sheet = std::make_unique<TPrismSheet>();
        LoadMaterialPicture(*member.sheet, monster->GraphicName, "Monster");
        if (monster->GraphicHue) member.sheet->RotateHue(monster->GraphicHue);
        member.x = m->X;
        member.y = m->Y;
        member.opacity = monster->Transparent ? 160 : 255;
        const int bottom = m->Y + member.sheet->Height() / 2;
        placed.push_back({std::move(member), bottom, i});
        mNames.push_back(monster->Name);
    }
    // Further down the scene is nearer: drawn later; on equal footing the later member first.
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.bottom != b.bottom ? a.bottom < b.bottom : a.index > b.index;
    });
    for (Placed& p : placed)
        mMembers.push_back(std::move(p.member));
}

void TBattleScene::Draw(TPrismBoard& board) {
    mBackdrop->SetTransparent(false);
    mBackdrop->SetOpacity(255);
    board.DrawSheet(0, 0, Bounds(0, 0, std::min(mBackdrop->Width(), 320), std::min(mBackdrop->Height(), 160)),
                    *mBackdrop);
    for (Member& m : mMembers) {
        m.sheet->SetTransparent(true);
        m.sheet->SetOpacity(m.opacity);
        board.DrawSheet(m.x - m.sheet->Width() / 2, m.y - m.sheet->Height() / 2, m.sheet->BoundsRect(),
                        *m.sheet);
    }
}

void DrawSystemWindow(TPrismBoard& board, TPrismSheet& system, const TRect& rect, bool transparent) {
    const int w = rect.Width(), h = rect.Height();
    if (system.Width() < 64 || system.Height() < 32) {
        // Without a system graphic the window is plain, so the text stays readable.
        if (!transparent) FillRect(board, rect, {16, 24, 72});
        FrameRect(board, rect, {255, 255, 255});
        return;
    }
    system.SetOpacity(255);
    if (!transparent) {
        system.SetTransparent(false);
        board.StretchDrawSheet(Bounds(rect.left + 2, rect.top + 2, w - 4, h - 4), system,
                               Bounds(0, 0, 32, 32));
    }
    system.SetTransparent(true);
    board.DrawSheet(rect.left, rect.top, Bounds(32, 0, 8, 8), system);
    board.DrawSheet(rect.right - 8, rect.top, Bounds(56, 0, 8, 8), system);
    board.DrawSheet(rect.left, rect.bottom - 8, Bounds(32, 24, 8, 8), system);
    board.DrawSheet(rect.right - 8, rect.bottom - 8, Bounds(56, 24, 8, 8), system);
    board.StretchDrawSheet(Bounds(rect.left + 8, rect.top, w - 16, 8), system, Bounds(40, 0, 16, 8));
    board.StretchDrawSheet(Bounds(rect.left + 8, rect.bottom - 8, w - 16, 8), system, Bounds(40, 24, 16, 8));
    board.StretchDrawSheet(Bounds(rect.left, rect.top + 8, 8, h - 16), system, Bounds(32, 8, 8, 16));
    board.StretchDrawSheet(Bounds(rect.right - 8, rect.top + 8, 8, h - 16), system, Bounds(56, 8, 8, 16));
}

} // namespace tarvel::game
