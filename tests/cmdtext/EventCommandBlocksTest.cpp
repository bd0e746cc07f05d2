// The block-structure table: which lines a head's parameters call for, the codes' roles, and that
// the rendered text of every block gives the script list the same structure as the table.
#include <gtest/gtest.h>

#include "ScriptFixture.h"
#include "data/EventCommandBlocks.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// A line as "code@indent", with p0 and the text for choice labels.
std::string brief(const TQelEventScriptLine& line) {
    std::string s = std::to_string(line.Code) + "@" + std::to_string(line.Indent);
    if (line.Code == 20140) s += "(" + std::to_string(line.Param(0)) + "," + line.Text + ")";
    return s;
}

std::vector<std::string> skeleton(int32_t code, std::vector<int32_t> params, std::string text = {}) {
    std::vector<std::string> out;
    for (const auto& line : BlockSkeleton(TQelEventScriptLine(code, 0, std::move(text), std::move(params))))
        out.push_back(brief(line));
    return out;
}

using Lines = std::vector<std::string>;

TEST(EventCommandBlocks, LinesWrittenForEachHead) {
    // One-line commands, messages and comments (their continuation lines come from the text).
    EXPECT_EQ(skeleton(10210, {0, 1, 1, 0}), Lines({"10210@0"}));
    EXPECT_EQ(skeleton(10110, {}, "Hi"), Lines({"10110@0"}));
    EXPECT_EQ(skeleton(12410, {}, "Note"), Lines({"12410@0"}));
    // Show Choice: a label per choice, the cancel branch only for cancel setting 5, the end line.
    EXPECT_EQ(skeleton(10140, {2}, "Yes/No"),
              Lines({"10140@0", "20140@0(0,Yes)", "10@1", "20140@0(1,No)", "10@1", "20141@0"}));
    EXPECT_EQ(skeleton(10140, {5}, "A/B/C/D"),
              Lines({"10140@0", "20140@0(0,A)", "10@1", "20140@0(1,B)", "10@1", "20140@0(2,C)", "10@1",
                     "20140@0(3,D)", "10@1", "20140@0(4,)", "10@1", "20141@0"}));
    // Start Combat: branches only with an escape fork (p3 = 2) or a defeat fork (p4 = 1).
    EXPECT_EQ(skeleton(10710, {0, 1, 0, 0, 0, 0}), Lines({"10710@0"}));
    EXPECT_EQ(skeleton(10710, {0, 1, 0, 1, 0, 0}), Lines({"10710@0"}));
    EXPECT_EQ(skeleton(10710, {0, 1, 0, 2, 0, 0}),
              Lines({"10710@0", "20710@0", "10@1", "20711@0", "10@1", "20713@0"}));
    EXPECT_EQ(skeleton(10710, {0, 1, 0, 0, 1, 0}),
              Lines({"10710@0", "20710@0", "10@1", "20712@0", "10@1", "20713@0"}));
    EXPECT_EQ(skeleton(10710, {0, 1, 0, 2, 1, 0}),
              Lines({"10710@0", "20710@0", "10@1", "20711@0", "10@1", "20712@0", "10@1", "20713@0"}));
    // Shop and inn: branches only when p2 = 1.
    EXPECT_EQ(skeleton(10720, {0, 0, 0, 0, 1}), Lines({"10720@0"}));
    EXPECT_EQ(skeleton(10720, {0, 0, 1, 0, 1}),
              Lines({"10720@0", "20720@0", "10@1", "20721@0", "10@1", "20722@0"}));
    EXPECT_EQ(skeleton(10730, {0, 10, 0}), Lines({"10730@0"}));
    EXPECT_EQ(skeleton(10730, {0, 10, 1}),
              Lines({"10730@0", "20730@0", "10@1", "20731@0", "10@1", "20732@0"}));
    // Forks: the body right after the head, the else branch only when p5 = 1, always the end.
    EXPECT_EQ(skeleton(12010, {0, 1, 0, 0, 0, 0}), Lines({"12010@0", "10@1", "22011@0"}));
    EXPECT_EQ(skeleton(12010, {0, 1, 0, 0, 0, 1}), Lines({"12010@0", "10@1", "22010@0", "10@1", "22011@0"}));
    EXPECT_EQ(skeleton(13310, {2, 1, 0, 0, 0, 0}), Lines({"13310@0", "10@1", "23311@0"}));
    EXPECT_EQ(skeleton(13310, {2, 1, 0, 0, 0, 1}), Lines({"13310@0", "10@1", "23310@0", "10@1", "23311@0"}));
    EXPECT_EQ(skeleton(12210, {}), Lines({"12210@0", "10@1", "22210@0"}));
}

TEST(EventCommandBlocks, ChoiceTexts) {
    EXPECT_EQ(ChoiceTexts("Yes/No"), Lines({"Yes", "No"}));
    EXPECT_EQ(ChoiceTexts("Only"), Lines({"Only"}));
    EXPECT_EQ(ChoiceTexts("A//C"), Lines({"A", "", "C"}));
    // At most four choices.
    EXPECT_EQ(ChoiceTexts("1/2/3/4/5"), Lines({"1", "2", "3", "4"}));
}

TEST(EventCommandBlocks, CodeRoles) {
    struct Role {
        int32_t code;
        int32_t head;
        bool command, continuation, label, end;
    } roles[] = {
        {0, 0, true, false, false, false},          {10, 10, true, false, false, false},
        {10110, 10110, true, false, false, false},  {20110, 10110, false, true, false, false},
        {22410, 12410, false, true, false, false},  {20140, 10140, false, false, true, false},
        {20141, 10140, false, false, false, true},  {20710, 10710, false, false, true, false},
        {20711, 10710, false, false, true, false},  {20712, 10710, false, false, true, false},
        {20713, 10710, false, false, false, true},  {20720, 10720, false, false, true, false},
        {20722, 10720, false, false, false, true},  {20731, 10730, false, false, true, false},
        {20732, 10730, false, false, false, true},  {22010, 12010, false, false, true, false},
        {22011, 12010, false, false, false, true},  {23310, 13310, false, false, true, false},
        {23311, 13310, false, false, false, true},  {22210, 12210, false, false, false, true},
        {19999, 19999, true, false, false, false},  {20714, 10710, false, false, false, false},
        {20000, 10000, false, false, false, false},
    };
    for (const auto& r : roles) {
        SCOPED_TRACE(r.code);
        EXPECT_EQ(HeadCodeOf(r.code), r.head);
        EXPECT_EQ(IsCommandCode(r.code), r.command);
        EXPECT_EQ(IsContinuationCode(r.code), r.continuation);
        EXPECT_EQ(IsBranchLabelCode(r.code), r.label);
        EXPECT_EQ(IsBlockEndCode(r.code), r.end);
    }
    EXPECT_TRUE(IsEndLineCode(0));
    EXPECT_TRUE(IsEndLineCode(10));
    EXPECT_FALSE(IsEndLineCode(10110));
    EXPECT_EQ(BlockOfCode(20714), nullptr);
    EXPECT_EQ(BlockOfCode(10210), nullptr);
    ASSERT_NE(BlockOfCode(22011), nullptr);
    EXPECT_EQ(BlockOfCode(22011)->HeadCode, 12010);
    EXPECT_EQ(CommandBlocks().size(), 9u);
}

// The script list finds structure in the text alone: heads begin with "<>" after the indentation,
// continuation, label and end lines with ":". Every line of every block, rendered at depth 2,
// must read back as the table says.
TEST(EventCommandBlocks, RenderedBlocksReadBackAsTheTableSays) {
    ScriptFixture f;
    TEventScriptConverter converter(f.mapContext());
    std::vector<TQelEventScriptLine> heads = {
        {10140, 0, "Yes/No/Maybe", {5}},
        {10710, 0, "", {0, 1, 0, 2, 1, 1}},
        {10720, 0, "", {0, 0, 1, 0, 1}},
        {10730, 0, "", {0, 10, 1}},
        {12010, 0, "", {0, 1, 0, 0, 0, 1}},
        {13310, 0, "", {0, 1, 0, 0, 0, 1}},
        {12210, 0, "", {}},
        {10110, 0, "Hi", {}},
        {12410, 0, "Note", {}},
    };
    for (const auto& head : heads) {
        SCOPED_TRACE(head.Code);
        auto lines = BlockSkeleton(head);
        const TCommandBlock* block = BlockOfHead(head.Code);
        ASSERT_NE(block, nullptr);
        if (block->ContinuationCode) lines.emplace_back(block->ContinuationCode, 0, "more");
        for (auto& line : lines) {
            line.Indent += 2;
            std::string text = converter.DescribeLine(line);
            size_t units = 0;
            while (text.compare(units * 2, 2, "  ") == 0)
                ++units;
            EXPECT_EQ(units, static_cast<size_t>(line.Indent)) << text;
            bool headText = text.compare(units * 2, 2, "<>") == 0;
            EXPECT_EQ(headText, IsCommandCode(line.Code)) << text;
            if (!headText) {
                EXPECT_EQ(text[units * 2], ':') << text;
            }
        }
    }
}

TEST(EventCommandBlocks, CommandExtentCoversContinuationsBodiesAndEnds) {
    TQelEventScriptList script;
    for (const auto& line : std::vector<TQelEventScriptLine>{
             {10110, 0, "a", {}},                // 0
             {20110, 0, "b", {}},                // 1
             {12010, 0, "", {0, 1, 0, 0, 0, 1}}, // 2
             {10110, 1, "c", {}},                // 3
             {10, 1},                            // 4
             {22010, 0},                         // 5
             {10, 1},                            // 6
             {22011, 0},                         // 7
             {12210, 0},                         // 8
             {10, 1},                            // 9
             {22210, 0},                         // 10
             {0, 0},                             // 11
         })
        script.Add(line);
    EXPECT_EQ(CommandExtent(script, 0), 2);
    EXPECT_EQ(CommandExtent(script, 2), 8);
    EXPECT_EQ(CommandExtent(script, 3), 4);
    EXPECT_EQ(CommandExtent(script, 8), 11);
    EXPECT_EQ(CommandExtent(script, 11), 12);
    EXPECT_EQ(CommandExtent(script, 12), 12);
}

} // namespace
