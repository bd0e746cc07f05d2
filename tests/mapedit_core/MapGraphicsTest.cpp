#include <gtest/gtest.h>

#include "data/LD_DataBase.h"
#include "mapedit_core/MapGraphics.h"

using namespace tarvel;

TEST(MapGraphics, FollowsTheMapsChipSetAndCollectsItsEventsCharSets) {
    TQelDataBase db;
    TQelDataBase::ResetList(db.ChipSets(), 2);
    db.ChipSets().Find(2)->GraphicName = "World";
    db.ChipSets().Find(2)->SeaSpeed = 1;

    TQelMap map(1);
    map.Reset();
    TMapGraphics& graphics = AttachMapGraphics(map);
    EXPECT_EQ(MapGraphicsOf(map), &graphics);

    map.ChipSetID = 2;
    auto* event = map.Events.FindOrCreate(1);
    static_cast<TQelEventPageItem*>(event->Pages.FindOrCreate(1))->CharName = "Hero1";
    static_cast<TQelEventPageItem*>(event->Pages.FindOrCreate(2))->CharName = "Monster2";
    static_cast<TQelEventPageItem*>(event->Pages.FindOrCreate(3))->CharName = "";

    // Loading a map file gathers the graphics of what the map holds.
    std::string file = std::string(std::getenv("TMPDIR")) + "/Map0001.qmu";
    map.SaveToFile(file);
    TQelMap loaded(1);
    TMapGraphics& loadedGraphics = AttachMapGraphics(loaded);
    loaded.LoadFromFile(file);

    EXPECT_EQ(loadedGraphics.ChipSet().ImageName(), "World");
    ASSERT_NE(loadedGraphics.ChipSet().ChipSet(), nullptr);
    EXPECT_EQ(loadedGraphics.ChipSet().ChipSet()->SeaSpeed(), 1);
    // Changed in the database, read live.
    db.ChipSets().Find(2)->SeaSpeed = 0;
    EXPECT_EQ(loadedGraphics.ChipSet().ChipSet()->SeaSpeed(), 0);
    EXPECT_EQ(loadedGraphics.CharSets().Count(), 2);
    EXPECT_GE(loadedGraphics.CharSets().IndexOf("Hero1"), 0);
    EXPECT_GE(loadedGraphics.CharSets().IndexOf("Monster2"), 0);

    // A chipset the database does not have leaves a blank chipset, not the previous one.
    loadedGraphics.ReloadChipSet(9);
    EXPECT_EQ(loadedGraphics.ChipSet().ImageName(), "");
    EXPECT_EQ(loadedGraphics.ChipSet().ChipSet(), nullptr);
}

// The database window may read the database again or shorten the chipset list while a map is
// shown: the renderer then reads the record the database holds now, or none.
TEST(MapGraphics, ReadsTheChipSetRecordTheDatabaseHoldsNow) {
    TQelDataBase db;
    TQelDataBase::ResetList(db.ChipSets(), 2);
    TQelMap map(1);
    map.Reset();
    TMapGraphics& graphics = AttachMapGraphics(map);
    graphics.ReloadChipSet(2);
    ASSERT_NE(graphics.ChipSet().ChipSet(), nullptr);

    db.ChipSets().Delete(2);
    db.ChipSets().FindOrCreate(2)->SeaSpeed = 4;
    EXPECT_EQ(graphics.ChipSet().ChipSet()->SeaSpeed(), 4);
    db.ChipSets().Delete(2);
    EXPECT_EQ(graphics.ChipSet().ChipSet()->SeaSpeed(), 0);
    EXPECT_EQ(graphics.ChipSet().ChipSet()->GraphicName(), "");
}
