#include "Screens.h"

#include <algorithm>

#include "MapDrawing.h"
#include "graphics/GR_CharSet.h"
#include "graphics/GraphicsPorts.h"
#include "mapedit_core/MapGraphics.h"

namespace tarvel::runtime {

namespace {

constexpr int kCell = 16;

// Loads a material picture at its own size; a missing one leaves the sheet empty.
void LoadMaterial(TPrismSheet& sheet, const std::string& name, const char* folder) {
    sheet.SetAutoSize(true);
    sheet.LoadFromFile(name.empty() ? std::string() : MaterialLocator().Locate(name, folder), false);
}

void DrawWhole(TPrismBoard& board, TPrismSheet& sheet, int x, int y, int maxWidth, int maxHeight) {
    board.DrawSheet(
        x, y, Bounds(0, 0, std::min(sheet.Width(), maxWidth), std::min(sheet.Height(), maxHeight)), sheet);
}

} // namespace

void DrawSystemWindow(TPrismBoard& board, TPrismSheet& system, const TRect& rect) {
    if (system.Width() < 64 || system.Height() < 32) {
        // Without a system graphic the window is plain, so the text stays readable.
        FillRect(board, rect, {16, 24, 72});
        FrameRect(board, rect, {255, 255, 255});
        return;
    }
    const int w = rect.Width(), h = rect.Height();
    system.SetTransparent(false);
    board.StretchDrawSheet(Bounds(rect.left + 2, rect.top + 2, w - 4, h - 4), system, Bounds(0, 0, 32, 32));
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

// ---------------------------------------------------------------------------------------------

void TTitleScreen::Load(const TGameProject& project) {
    LoadMaterial(mSheet, project.HasDataBase() ? project.DataBase().System().TitleName : std::string(),
                 "Title");
}

void TTitleScreen::Draw(TPrismBoard& board) {
    board.Clear();
    mSheet.SetTransparent(false);
    DrawWhole(board, mSheet, 0, 0, kScreenWidth, kScreenHeight);
}

// ---------------------------------------------------------------------------------------------

TMapScreen::TMapScreen() = default;
TMapScreen::~TMapScreen() = default;

namespace {

// Whether a page's condition holds when a new game starts: no switch is on, every variable is 0,
// the party holds no items and no timer runs; only the starting party is known.
bool HoldsAtStart(const TQelEventCondition& c, const TQelSystem& system) {
    if (c.Flags & (1 | 2 | 8 | 32)) return false; // switches, item, timer
    if ((c.Flags & 4) && c.VariableValue > 0) return false;
    if (c.Flags & 16) {
        bool inParty = false;
        for (int i = 0; i < system.PartySize; ++i)
            inParty |= system.PartyHero(i) == c.HeroID;
        if (!inParty) return false;
    }
    return true;
}

} // namespace

bool TMapScreen::Load(const TGameProject& project) {
    mProject = &project;
    mSprites.clear();
    mMap.reset();
    if (!project.HasTree() || !project.HasDataBase()) {
        mProblem = "The game could not be read:\n" + project.Error();
        return false;
    }
    const TQelMapTree& tree = project.Tree();
    const int mapID = tree.StartPositions.StartMap(0);
    if (mapID == 0) {
        mProblem = "The party has no start position yet.\nPlace it on a map in the editor.";
        return false;
    }
    const TQelMapTreeItem* node = tree.Find(mapID);
    mMapName = node ? QString::fromStdString(node->Name) : QString::fromStdString(MapFileName(mapID));
    mStartX = tree.StartPositions.StartX(0);
    mStartY = tree.StartPositions.StartY(0);
    mMap = std::make_unique<TQelMap>(mapID);
    AttachMapGraphics(*mMap);
    try {
        mMap->LoadFromFile((project.Folder() + QString::fromStdString(MapFileName(mapID))).toStdString());
    } catch (const std::exception& e) {
        mProblem = QStringLiteral("The start map %1 could not be read:\n%2")
                       .arg(QString::fromStdString(MapFileName(mapID)), QString::fromStdString(e.what()));
        mMap.reset();
        return false;
    }

    const TQelDataBase& db = project.DataBase();
    const TQelSystem& system = db.System();
    for (int i = 0; i < mMap->Events.Count(); ++i) {
        const auto* event = static_cast<const TQelEventItem*>(mMap->Events.Items(i));
        // The page that runs is the last one whose condition holds.
        for (int p = event->Pages.Count() - 1; p >= 0; --p) {
            const auto* page = static_cast<const TQelEventPageItem*>(event->Pages.Items(p));
            if (!HoldsAtStart(page->Condition, system)) continue;
            if (!page->CharName.empty() || page->CharIndex > 0)
                mSprites.push_back({page->CharName, page->CharIndex, page->CharDir, page->CharPattern,
                                    event->X, event->Y, page->Priority, page->CharTransparent != 0});
            break;
        }
    }
    const std::string* vehicleNames[] = {&system.BoatName, &system.ShipName, &system.AirshipName};
    const int vehicleIndexes[] = {system.BoatIndex, system.ShipIndex, system.AirshipIndex};
    for (int v = 1; v <= 3; ++v)
        if (tree.StartPositions.StartMap(v) == mapID && !vehicleNames[v - 1]->empty())
            mSprites.push_back({*vehicleNames[v - 1], vehicleIndexes[v - 1], 3, 1,
                                tree.StartPositions.StartX(v), tree.StartPositions.StartY(v), 1, false});
    if (system.PartySize > 0)
        if (const TQelPlayerItem* hero = db.Heroes().Find(system.PartyHero(0)))
            mSprites.push_back(
                {hero->CharName, hero->CharIndex, 2, 1, mStartX, mStartY, 1, hero->CharTransparent});
    mProblem.clear();
    return true;
}

QString TMapScreen::Caption() const {
    return QStringLiteral("%1 (%2, %3)").arg(mMapName).arg(mStartX).arg(mStartY);
}

void TMapScreen::drawSprite(TPrismBoard& board, const Sprite& s, int viewX, int viewY) {
    TMapGraphics* graphics = MapGraphicsOf(*mMap);
    if (s.charName.empty()) {
        graphics->ChipSet().SetTransparent(true);
        graphics->ChipSet().DrawChip(board, s.x * kCell - viewX, 0, 10000 + s.index, false, kCell,
                                     s.y * kCell - viewY);
        return;
    }
    TQelCharSetGraphic& sets = graphics->CharSets();
    TPrismSheet& sheet = sets.Sheet(sets.Acquire(s.charName));
    sheet.SetTransparent(true);
    sheet.SetOpacity(s.translucent ? 160 : 255);
    // A character stands on its cell: 24 x 32, feet on the cell's bottom edge.
    TPoint origin = CharSetFrameOrigin(s.index, s.pattern, s.direction);
    board.DrawSheet(s.x * kCell - 4 - viewX, s.y * kCell - 16 - viewY, Bounds(origin.x, origin.y, 24, 32),
                    sheet);
    sheet.SetOpacity(255);
}

void TMapScreen::Draw(TPrismBoard& board) {
    board.SetSize(kScreenWidth, kScreenHeight);
    board.Clear();
    if (!mMap) return;
    const int viewX = mStartX * kCell + kCell / 2 - kScreenWidth / 2;
    const int viewY = mStartY * kCell + kCell / 2 - kScreenHeight / 2;
    DrawMapCells(board, *mMap, viewX, viewY);
    for (const Sprite& s : mSprites)
        if (s.priority == 0) drawSprite(board, s, viewX, viewY);
    std::vector<const Sprite*> middle;
    for (const Sprite& s : mSprites)
        if (s.priority == 1) middle.push_back(&s);
    std::stable_sort(middle.begin(), middle.end(),
                     [](const Sprite* a, const Sprite* b) { return a->y < b->y; });
    for (const Sprite* s : middle)
        drawSprite(board, *s, viewX, viewY);
    DrawChipsAboveCharacters(board, *mMap, MapGraphicsOf(*mMap)->ChipSet(),
                             mProject->DataBase().ChipSets().Find(mMap->ChipSetID), viewX, viewY);
    for (const Sprite& s : mSprites)
        if (s.priority >= 2) drawSprite(board, s, viewX, viewY);
}

// ---------------------------------------------------------------------------------------------

bool TBattleScreen::Load(const TGameProject& project, int groupID) {
    mMembers.clear();
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
    LoadMaterial(mBackdrop, backdrop, "Backdrop");
    LoadMaterial(mSystem, system.SystemName, "System");

    struct Placed {
        Member member;
        int bottom;
        int index;
    };
    std::vector<Placed> placed;
    for (int i = 0; i < group->Members.Count(); ++i) {
        const TQelMonGroupMonsterItem* m = group->Members.Items(i);
        const TQelMonsterItem* monster = db.Monsters().Find(m->MonsterID);
        // Hidden members enter the battle later; a member whose monster is gone is no one.
        if (!monster || m->Invisible) continue;
        Member member;
        member.sheet = std::make_unique<TPrismSheet>();
        LoadMaterial(*member.sheet, monster->GraphicName, "Monster");
        if (monster->GraphicHue) member.sheet->RotateHue(monster->GraphicHue);
        member.x = m->X;
        member.y = m->Y;
        member.opacity = monster->Transparent ? 160 : 255;
        const int bottom = m->Y + member.sheet->Height() / 2;
        placed.push_back({std::move(member), bottom, i});
        mMonsterNames << QString::fromStdString(monster->Name);
    }
    // Further down the scene is nearer: drawn later; on equal footing the later member first.
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.bottom != b.bottom ? a.bottom < b.bottom : a.index > b.index;
    });
    for (Placed& p : placed)
        mMembers.push_back(std::move(p.member));

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
    mBackdrop.SetTransparent(false);
    DrawWhole(board, mBackdrop, 0, 0, kScreenWidth, 160);
    for (Member& m : mMembers) {
        m.sheet->SetTransparent(true);
        m.sheet->SetOpacity(m.opacity);
        board.DrawSheet(m.x - m.sheet->Width() / 2, m.y - m.sheet->Height() / 2, m.sheet->BoundsRect(),
                        *m.sheet);
    }
    DrawSystemWindow(board, mSystem, Bounds(0, 160, 112, 80));
    DrawSystemWindow(board, mSystem, Bounds(112, 160, 208, 80));
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
