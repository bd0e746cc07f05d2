#include <QKeyEvent>
#include <QPushButton>
#include <QTest>

#include "EvCmdTestSupport.h"
#include "eventedit/commands/EvCmdWidgets.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

using Lines = std::vector<TQelEventScriptLine>;

// A block head and its bodies as the script holds them, at indent 2 (inside two other blocks).
Lines ForkWithBodies() {
    return {
        {12010, 2, "", {0, 1, 0, 0, 0, 1}},
        {10110, 3, "then"},
        {12210, 3},
        {10110, 4, "deep"},
        {10, 4},
        {22210, 3},
        {10, 3},
        {22010, 2},
        {10110, 3, "else"},
        {10, 3},
        {22011, 2},
    };
}

} // namespace

TEST_F(EvCmdTest, BranchBodiesAreReadPerLabelAndWrittenAtIndentOneWithTheirDepth) {
    TFormEvCmdBase* cycle = nullptr;
    auto dialog = CreateEvCmdDialog(12210, nullptr);
    cycle = dialog.get();
    // A cycle around the fork's lines keeps them all as its body, one level below its head.
    Lines in = {{12210, 2}};
    for (TQelEventScriptLine line : ForkWithBodies()) {
        line.Indent += 1;
        in.push_back(line);
    }
    in.push_back({22210, 2});
    SetLines(*cycle, in);
    ASSERT_TRUE(cycle->Run());
    std::vector<std::string> expected = {
        "<>Cycle       ",
        "  <>Fork Optn:Switch [0001:Door]-  ON",
        "    <>Messg:then",
        "    <>Cycle       ",
        "      <>Messg:deep",
        "      <>",
        "    :End Cycle    ",
        "    <>",
        "  :Excepting Case ",
        "    <>Messg:else",
        "    <>",
        "  :End Case ",
        ":End Cycle    ",
    };
    EXPECT_EQ(Render(cycle->Lines(), MapContext()), expected);

    TBranchBodies bodies;
    TQelEventScriptList fork;
    for (const auto& line : ForkWithBodies())
        fork.Add(line);
    bodies.Read(fork);
    ASSERT_EQ(bodies.Body(12010).size(), 6u);
    EXPECT_EQ(bodies.Body(12010)[2].Indent, 4);
    ASSERT_EQ(bodies.Body(22010).size(), 2u);
    EXPECT_EQ(bodies.Body(22010)[0].Text, "else");
    EXPECT_TRUE(bodies.Body(22011).empty());
}

TEST_F(EvCmdTest, NewCycleHasAnEmptyBodyAndCommandsWithoutWindowWriteTheirLine) {
    auto cycle = CreateEvCmdDialog(12210, nullptr);
    ASSERT_TRUE(cycle->Run());
    EXPECT_EQ(Render(cycle->Lines(), MapContext()),
              (std::vector<std::string>{"<>Cycle       ", "  <>", ":End Cycle    "}));

    for (int32_t code :
         {10840, 11340, 11350, 11530, 11540, 11910, 11950, 12220, 12310, 12320, 12420, 12510, 13410}) {
        auto dialog = CreateEvCmdDialog(code, nullptr);
        ASSERT_NE(dialog, nullptr) << code;
        SetLines(*dialog, {{code, 3, "junk", {1, 2}}});
        ASSERT_TRUE(dialog->Run());
        EXPECT_EQ(LinesOf(dialog->Lines()), Lines{TQelEventScriptLine(code, 0)}) << code;
    }
}

TEST_F(EvCmdTest, HelpOpensTheManualAtTheCommandCodeFromTheButtonAndF1) {
    std::vector<int> contexts;
    TFormEvCmdBase::SetHelpHandler([&](QWidget*, int context) { contexts.push_back(context); });
    TFormEvCmdBase dialog(nullptr, 10310, "Change Money Amount");
    EXPECT_EQ(dialog.windowTitle(), "Change Money Amount");
    EXPECT_EQ(dialog.ButtonOk()->text(), "&Ok");
    EXPECT_TRUE(dialog.ButtonOk()->isDefault());
    EXPECT_EQ(dialog.ButtonCancel()->text(), "Cancel");
    EXPECT_EQ(dialog.ButtonHelp()->text(), "&Help");
    dialog.show();
    QTest::mouseClick(dialog.ButtonHelp(), Qt::LeftButton);
    QTest::keyClick(&dialog, Qt::Key_F1);
    TFormEvCmdBase::SetHelpHandler(nullptr);
    EXPECT_EQ(contexts, (std::vector<int>{10310, 10310}));
}

TEST_F(EvCmdTest, RememberedValuesGoBackToTheirStartTogether) {
    SharedWaitFlag().Set(true);
    SharedPlaceVariables().Set({4, 5, 6});
    SharedMemberIndex().Set(3);
    ResetEvCmdOptions();
    EXPECT_FALSE(SharedWaitFlag().Value());
    EXPECT_EQ(SharedPlaceVariables().Value().Y, 1);
    EXPECT_EQ(SharedMemberIndex().Value(), 0);
}
