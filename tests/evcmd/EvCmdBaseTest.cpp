#include <QKeyEvent>
#include <QPushButton>
#include <QTest>

#include "EvCmdTestSupport.h"
#include "TestEnvironment.h"
#include "controls/HelpContext.h"
#include "eventedit/commands/EvCmdWidgets.h"

using namespace tarvel;
using namespace tarvel::test;

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
    SetHelpOpener([&](QWidget*, int context) { contexts.push_back(context); });
    TFormEvCmdBase dialog(nullptr, 10310, "Change Money Amount");
    EXPECT_EQ(dialog.windowTitle(), "Change Money Amount");
    EXPECT_EQ(dialog.ButtonOk()->text(), "&Ok");
    EXPECT_TRUE(dialog.ButtonOk()->isDefault());
    EXPECT_EQ(dialog.ButtonCancel()->text(), "Cancel");
    EXPECT_EQ(dialog.ButtonHelp()->text(), "&Help");
    dialog.show();
    QTest::mouseClick(dialog.ButtonHelp(), Qt::LeftButton);
    QTest::keyClick(&dialog, Qt::Key_F1);
    SetHelpOpener(nullptr);
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

TEST_F(EvCmdTest, EveryCommandFromMessagesToNamesHasADialogAndCancelChangesNothing) {
    const std::vector<int32_t> codes = {10110, 10120, 10130, 10140, 10150, 10210, 10220, 10230, 10310,
                                        10320, 10330, 10410, 10420, 10430, 10440, 10450, 10460, 10470,
                                        10480, 10490, 10500, 10610, 10620, 10630, 10640, 10650, 10660,
                                        10670, 10690, 10710, 10720, 10730, 10740, 12410};
    // Help opens the manual beside the program at the command's code.
    QString manual = QString::fromUtf8(ReadFile(BuildBinFolder() + "/help/index.html"));
    ASSERT_FALSE(manual.isEmpty());
    EXPECT_TRUE(manual.contains("name=\"context-10680\""));
    for (int32_t code : codes) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(HasEvCmdDialog(code));
        auto dialog = CreateEvCmdDialog(code, nullptr);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->Code(), code);
        EXPECT_FALSE(dialog->windowTitle().isEmpty());
        // An edited command with a stray parameter and a body stays exactly as it was.
        Lines in = {{code, 2, "text", {1, 1, 1, 1, 1, 1, 1, 1, 1}}, {10110, 3, "body"}, {10, 3}};
        SetLines(*dialog, in);
        dialog->SetContext(MapContext());
        EXPECT_FALSE(RunDialog(*dialog, nullptr, false));
        EXPECT_EQ(LinesOf(dialog->Lines()), in);
        EXPECT_TRUE(manual.contains(QStringLiteral("name=\"context-%1\"").arg(code))) << "no manual section";
        // The dialog fits an 800 x 600 screen.
        EXPECT_LE(dialog->width(), 800);
        EXPECT_LE(dialog->height(), 600 - 40);
    }
    // Continuation, label and end lines open nothing.
    for (int32_t code : {0, 10, 20110, 20140, 20141, 20710, 20713, 20722, 20732, 22410})
        EXPECT_EQ(CreateEvCmdDialog(code, nullptr), nullptr) << code;
}
