#include <QFile>
#include <QPushButton>

#include "EvCmdProjectFixture.h"

using namespace tarvel;
using namespace tarvel::test;

// Every command from Teleport to the battle commands has its dialog, with its caption, fitting an
// 800 x 600 screen and its part of the manual; Set Chara Movement waits for the move route editor.
TEST_F(EvCmdProjectTest, EveryCommandFromTeleportOnHasItsDialog) {
    struct Case {
        int32_t code;
        const char* caption; // empty: no window of its own (a picker, or nothing at all)
        bool battle = false;
    };
    const std::vector<Case> cases = {
        {10810, ""},
        {10820, "Memorize this Place"},
        {10830, "Teleport to Memorized Place"},
        {10840, ""},
        {10850, "Placement of Vehicle"},
        {10860, "Place of Event"},
        {10870, "Exchange Event Places"},
        {10910, "Change Terrain ID"},
        {10920, "Change Event ID"},
        {11010, "Screen Erase"},
        {11020, "Screen Display"},
        {11030, "Screen Colour"},
        {11040, "Screen Flash"},
        {11050, "Shake Screen"},
        {11060, "Screen Pan"},
        {11070, "Weather Screen Effects"},
        {11110, "Show Pic"},
        {11120, "Move Pic"},
        {11130, "Erase Pic"},
        {11210, "Show Battle Animation"},
        {11310, "Change Hero Transparency"},
        {11320, "Flash Character"},
        {11340, ""},
        {11350, ""},
        {11410, "Wait"},
        {11510, ""},
        {11520, "Fade BGM Out"},
        {11530, ""},
        {11540, ""},
        {11550, ""},
        {11560, "Play Movie"},
        {11610, "Enter Password"},
        {11710, "Change ChipSet"},
        {11720, "Change Parallax Background"},
        {11740, "Change Enemy Encounter"},
        {11750, "Change Chip"},
        {11810, "Place of Teleport"},
        {11820, "Disable Teleport"},
        {11830, "Place Escape Area"},
        {11840, "Disable Escape"},
        {11910, ""},
        {11930, "Disable Save"},
        {11950, ""},
        {11960, "Disable Menu"},
        {12010, "Forks Conditions"},
        {12110, "Create Label"},
        {12120, "Choose Label to Jump"},
        {12210, ""},
        {12220, ""},
        {12310, ""},
        {12320, ""},
        {12330, "Call Event"},
        {12420, ""},
        {12510, ""},
        {13110, "Change Enemy HP", true},
        {13120, "Change Enemy MP", true},
        {13130, "Change Enemy Condition", true},
        {13150, "Change Enemy Appearance", true},
        {13210, "", true},
        {13260, "Show Battle Animation", true},
        {13310, "Fork Conditions", true},
        {13410, "", true},
    };
    QFile manualFile(QStringLiteral(TARVEL_MANUAL));
    ASSERT_TRUE(manualFile.open(QIODevice::ReadOnly));
    const QString manual = QString::fromUtf8(manualFile.readAll());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_TRUE(HasEvCmdDialog(c.code));
        auto dialog = Dialog(c.code, {}, c.battle);
        EXPECT_EQ(dialog->windowTitle(), c.caption);
        EXPECT_EQ(dialog->ButtonOk() != nullptr, *c.caption != 0);
        // "&Help" and the pickers' commands have their part of the manual.
        const bool picker = c.code == 10810 || c.code == 11510 || c.code == 11550 || c.code == 13210;
        if (*c.caption || picker)
            EXPECT_TRUE(manual.contains(QStringLiteral("name=\"context-%1\"").arg(c.code)));
        if (!*c.caption) continue;
        EXPECT_EQ(dialog->ButtonOk()->text(), "&Ok");
        dialog->Open();
        // Room is left for the window frame and the desktop's panels.
        const QSize size = dialog->sizeHint();
        EXPECT_LE(size.width(), 780) << c.caption;
        EXPECT_LE(size.height(), 540) << c.caption;
    }
    EXPECT_FALSE(HasEvCmdDialog(11330));
    EXPECT_EQ(CreateEvCmdDialog(11330, nullptr), nullptr);
}
