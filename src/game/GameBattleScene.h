#pragma once

// A monster group on its backdrop as a battle shows it: the battle test's viewer and the battles
// of test play draw it the same way.

#include <memory>
#include <string>
#include <vector>

#include "data/LD_DataBase.h"
#include "graphics/PrismSheet.h"

namespace tarvel::game {

class TBattleScene {
public:
    TBattleScene();
    ~TBattleScene();
    // Loads the backdrop and the pictures of the group's members; hidden members enter later and a
    // member whose monster is gone is no one, so neither is shown.
    void Load(const TQelDataBase& db, const TQelMonGroupItem& group, const std::string& backdrop);
    int32_t GroupID() const { return mGroupID; }
    // The backdrop over the top 320 x 160 pixels and the members on it, those further down in
    // front.
    void Draw(TPrismBoard& board);
    // The names of the members shown, in the group's order.
    const std::vector<std::string>& MonsterNames() const { return mNames; }

private:
    struct Member {
        std::unique_ptr<TPrismSheet> sheet;
        int x = 0, y = 0;
        int opacity = 255;
    };
    int32_t mGroupID = 0;
    std::unique_ptr<TPrismSheet> mBackdrop;
    std::vector<Member> mMembers; // in drawing order
    std::vector<std::string> mNames;
};

// Loads a picture of a material folder at its own size; a missing one leaves the sheet empty.
void LoadMaterialPicture(TPrismSheet& sheet, const std::string& name, const char* folder);

// A window of the system graphic over a rectangle: its wallpaper stretched (unless transparent)
// and its 8-pixel frame; a plain blue window with a white frame when there is no system graphic.
void DrawSystemWindow(TPrismBoard& board, TPrismSheet& system, const TRect& rect, bool transparent = false);

} // namespace tarvel::game
