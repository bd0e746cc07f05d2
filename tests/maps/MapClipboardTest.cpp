#include <gtest/gtest.h>

#include "data/MapClipboard.h"

using namespace tarvel;

TEST(MapClipboard, DefaultNamesFollowTheNewID) {
    struct Case {
        const char* name;
        const char* pasted;
    } cases[] = {
        {"MAP0007", "MAP0012"}, {"MAP9999", "MAP0012"}, {"MAP0000", "MAP0000"}, {"MAP007", "MAP007"},
        {"MAP00070", "MAP00070"}, {"Map0007", "Map0007"}, {"MAP00a7", "MAP00a7"}, {"Town", "Town"},
    };
    for (const auto& c : cases) EXPECT_EQ(PastedMapName(c.name, 12), c.pasted) << c.name;
}

TEST(MapClipboard, BlockCarriesNameMapAndItemAndKeepsThePastePlace) {
    TQelMapTreeItem source(7);
    source.Name = "MAP0007";
    source.NodeKind = nkMap;
    source.ParentID = 3;
    source.Depth = 2;
    source.EncounterSteps = 40;
    TQelMap sourceMap(7);
    sourceMap.Reset();
    sourceMap.SetWidth(30);
    sourceMap.LowerLayer.SetChip(4, 4, 5010);
    auto block = MakeMapClipboardBlock(source, sourceMap);
    ASSERT_GE(block.size(), 4u);
    EXPECT_EQ(block[0] | block[1] << 8 | block[2] << 16 | block[3] << 24, int(block.size() - 4));

    TQelMapTreeItem target(12);
    target.ParentID = 0;
    target.Depth = 1;
    TQelMap targetMap(12);
    ASSERT_TRUE(ReadMapClipboardBlock(block, target, targetMap));
    EXPECT_EQ(target.Name, "MAP0012");
    EXPECT_EQ(target.ParentID, 0);
    EXPECT_EQ(target.Depth, 1);
    EXPECT_EQ(target.EncounterSteps, 40);
    EXPECT_EQ(targetMap.ID, 12);
    EXPECT_EQ(targetMap.Width, 30);
    EXPECT_EQ(targetMap.LowerLayer.GetChip(4, 4), 5010);

    // A cut block changes nothing.
    for (size_t size : {size_t(0), size_t(3), block.size() / 2}) {
        std::vector<uint8_t> cut(block.begin(), block.begin() + long(size));
        TQelMapTreeItem untouched(13);
        untouched.Name = "Keep";
        TQelMap untouchedMap(13);
        untouchedMap.Reset();
        EXPECT_FALSE(ReadMapClipboardBlock(cut, untouched, untouchedMap)) << size;
        EXPECT_EQ(untouched.Name, "Keep");
        EXPECT_EQ(untouchedMap.Width, 20);
    }
}
