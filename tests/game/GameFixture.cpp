#include "GameFixture.h"

#include <gtest/gtest.h>

namespace tarvel::game::test {

TQelEventScriptLine Line(int32_t code, std::vector<int32_t> params, std::string text, int32_t indent) {
    return TQelEventScriptLine(code, indent, std::move(text), std::move(params));
}

TGameFixture::TGameFixture() {
    TQelDataBase& db = DataBase();
    db.Heroes().Find(1)->Name = "Aren";
    TQelDataBase::ResetList(db.Switches(), 10);
    TQelDataBase::ResetList(db.Variables(), 10);
    TQelDataBase::ResetList(db.Items(), 5);
    TQelDataBase::ResetList(db.Terrain(), 2);
    db.Terrain().Find(2)->BoatPass = true;
    TQelChipSetItem& chips = ChipSet();
    chips.SetLowerChipPass(LowerKind(chWall), 0);
    chips.SetChipTerrain(LowerKind(chWater), 2);
    chips.SetLowerChipPass(LowerKind(chWater), 0);
    TQelMapTree& tree = mData.Tree();
    tree.AddNode(0, 0)->Name = "Fixture";
}

TGameFixture::~TGameFixture() = default;

TQelMap& TGameFixture::AddMap(int32_t id, int width, int height) {
    auto map = std::make_unique<TQelMap>(id);
    map->Reset();
    map->ChipSetID = 1;
    map->SetWidth(width);
    map->SetHeight(height);
    for (uint16_t& cell : map->LowerLayer.Cells)
        cell = uint16_t(Lower(chOpen));
    mMaps.push_back(std::move(map));
    TQelMapTreeItem* node = mData.Tree().AddNode(0, id);
    node->NodeKind = nkMap;
    node->Name = "MAP" + std::to_string(id);
    return *mMaps.back();
}

TQelMap& TGameFixture::MapData(int32_t id) {
    for (auto& m : mMaps)
        if (m->ID == id) return *m;
    ADD_FAILURE() << "no map " << id;
    return *mMaps.front();
}

TQelEventPageItem& TGameFixture::AddEvent(int32_t mapID, int32_t eventID, int x, int y) {
    TQelEventItem* event = MapData(mapID).Events.FindOrCreate(eventID);
    event->Name = "EV" + std::to_string(eventID);
    event->X = x;
    event->Y = y;
    return *event->Pages.Items(0);
}

TQelEventItem& TGameFixture::Event(int32_t mapID, int32_t eventID) {
    return *MapData(mapID).Events.Find(eventID);
}

void TGameFixture::SetScript(TQelBaseEventPageItem& page, std::vector<TQelEventScriptLine> lines) {
    page.Script.Clear();
    for (auto& line : lines)
        page.Script.Add(line);
    page.Script.Add(TQelEventScriptLine(0, 0));
}

TQelCommonEventItem& TGameFixture::AddCommonEvent(int32_t id, int trigger,
                                                  std::vector<TQelEventScriptLine> lines) {
    if (DataBase().CommonEvents().Count() < id) TQelDataBase::ResetList(DataBase().CommonEvents(), id);
    TQelCommonEventItem& common = *DataBase().CommonEvents().Find(id);
    common.Trigger = uint8_t(trigger);
    SetScript(common, std::move(lines));
    return common;
}

TGame& TGameFixture::Start(int32_t mapID, int x, int y) {
    for (auto& m : mMaps)
        mData.AddMap(m->ID, *m);
    mData.RefreshCommonEvents();
    mData.Tree().StartPositions.SetStartMap(0, mapID);
    mData.Tree().StartPositions.SetStartX(0, x);
    mData.Tree().StartPositions.SetStartY(0, y);
    mGame = std::make_unique<TGame>(mData, mSound, mSaves);
    mGame->Start(false);
    return *mGame;
}

void TGameFixture::Hold(std::initializer_list<TGameKey> keys, int frames) {
    TKeyState state;
    for (TGameKey k : keys)
        state.Set(k, true);
    for (int i = 0; i < frames; ++i)
        mGame->Step(state);
}

void TGameFixture::Press(TGameKey key) {
    Hold({key}, 1);
    Wait(1);
}

ScriptRun::ScriptRun(std::vector<TQelEventScriptLine> lines) {
    f.AddMap(1);
    f.AddMap(2);
    TQelEventPageItem& page = f.AddEvent(1, 1, 1, 1);
    page.Trigger = trAutoStart;
    lines.insert(lines.begin(), Line(10210, {0, 10, 10, 0}));
    lines.push_back(SetVariable(10, 0, 0, 1));
    TGameFixture::SetScript(page, std::move(lines));
    TQelEventPageItem* after = f.Event(1, 1).Pages.FindOrCreate(2);
    after->Condition.Flags = TQelEventCondition::cfSwitchA;
    after->Condition.SwitchA = 10;
}

TGame& ScriptRun::Start(int frames, int heroX, int heroY) {
    TGame& game = f.Start(1, heroX, heroY);
    f.Wait(frames);
    return game;
}

bool ScriptRun::Finished() const {
    return const_cast<TGameFixture&>(f).Game().State().Variable(10) == 1;
}

TQelEventScriptLine SetVariable(int id, int op, int kind, int a, int b) {
    return Line(10220, {0, id, id, op, kind, a, b});
}

} // namespace tarvel::game::test
