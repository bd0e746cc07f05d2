#include <QCheckBox>
#include <QJsonArray>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include "DataBaseFixture.h"
#include "PageTestSupport.h"
#include "controls/BoardView.h"
#include "data/LD_Common.h"
#include "dbedit/ED_Animation.h"
#include "dbedit/ED_AnimationCells.h"
#include "dbedit/ED_AnimationFrames.h"
#include "dbedit/ED_AnimationTiming.h"
#include "dbedit/ED_AnimationView.h"
#include "dbedit/ED_Widgets.h"
#include "eventedit/commands/EvCmdWidgets.h"
#include "graphics/EditorMarks.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

constexpr int BattleTab = 7;

// The battle animation page on a new animation (the last record), with a target monster 64 x 96
// pixels in size.
struct AnimationPage {
    TestPictures pictures;
    DataBaseProject p;
    TFormEDAnimation* page = nullptr;

    AnimationPage() {
        RememberedFrameManage().Reset();
        RememberedComplement().Reset();
        RememberedBatchCells().Reset();
        RememberedTimingFrame().Reset();
        TBitmap target = pictures.Blank(64, 96, {{0, 0, 0}, {200, 100, 50}});
        TestPictures::Fill(target, Bounds(8, 8, 48, 80), 1);
        pictures.Add("Target96", target);
        p.db().Monsters().Find(1)->GraphicName = "Target96";
        p.db().System().PreviewMonster = 1;
        p.db().System().PreviewGrid = 0;
        ResizeList(p.db().Animations(), p.db().Animations().Count() + 1);
        p.open(BattleTab);
        page = dynamic_cast<TFormEDAnimation*>(p.form->Page());
        EXPECT_NE(page, nullptr);
        page->DataList()->setCurrentRow(page->DataList()->count() - 1);
    }
    TQelAnimationItem& record() { return *page->Current(); }
    TAnimationCellView* view() { return page->View(); }
    QWidget* box() { return view()->PaintBox(); }
    // A point of the view at an offset from the anchor.
    QPoint at(int x, int y) {
        const TAnimationViewGeometry g = view()->Geometry();
        return {g.originX + x, g.originY + y};
    }
    TQelAnimationPatternItem& frame(int index) { return *AnimationFrame(record(), index); }
    void press(QPoint point, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {}) {
        SendMouse(box(), QEvent::MouseButtonPress, point, button, button, modifiers);
    }
    void moveTo(QPoint point, Qt::KeyboardModifiers modifiers = {}) {
        SendMouse(box(), QEvent::MouseMove, point, Qt::NoButton, Qt::LeftButton, modifiers);
    }
    void release(QPoint point, Qt::MouseButton button = Qt::LeftButton) {
        SendMouse(box(), QEvent::MouseButtonRelease, point, button, Qt::NoButton);
    }
    void clickAt(QPoint point) {
        press(point);
        release(point);
    }
    std::vector<int> timingFrames() {
        std::vector<int> out;
        for (int i = 0; i < record().Timings.Count(); ++i)
            out.push_back(record().Timings.Items(i)->Frame);
        return out;
    }
    TQelAnimationTimingItem* addTiming(int frame, const char* sound = "(OFF)") {
        TQelAnimationTimingItem* t = record().Timings.Append();
        t->Frame = frame;
        t->Sound.FileName = sound;
        return t;
    }
};

} // namespace

TEST(AnimationPage, FramesInsertedAndDeletedCarryTheirTimings) {
    AnimationPage t;
    t.addTiming(2);
    t.addTiming(3);
    t.addTiming(7);
    t.page->ReloadRecord();
    ASSERT_EQ(t.page->FrameCount(), 20);
    EXPECT_EQ(t.page->TimingList()->topLevelItemCount(), 4); // three entries and the empty row
    EXPECT_EQ(t.page->TimingList()->topLevelItem(1)->text(0), " < 03 >");
    t.frame(2).Cells.Append()->X = 33;

    t.page->SetFrameIndex(2);
    t.page->FrameList()->setFocus();
    QTest::keyClick(t.page->FrameList(), Qt::Key_Insert);
    EXPECT_EQ(t.page->FrameCount(), 21);
    EXPECT_EQ(t.page->FrameList()->count(), 21);
    EXPECT_EQ(t.page->FrameList()->item(20)->text(), " < 21 >");
    EXPECT_EQ(t.page->FrameNoBox()->Value(), "21");
    EXPECT_EQ(t.timingFrames(), (std::vector<int>{2, 4, 8}));
    EXPECT_EQ(t.page->TimingList()->topLevelItem(1)->text(0), " < 04 >");
    EXPECT_EQ(t.frame(3).Cells.Items(0)->X, 33);
    EXPECT_TRUE(t.p.form->ButtonApply()->isEnabled());

    t.page->SetFrameIndex(1);
    QTest::keyClick(t.page->FrameList(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(t.page->FrameCount(), 20);
    EXPECT_EQ(t.timingFrames(), (std::vector<int>{2, 3, 7}));
    EXPECT_EQ(t.frame(1).Cells.Items(0)->X, 33);

    // At 99 frames nothing more is inserted; one frame is never deleted.
    SetAnimationFrameCount(t.record(), 99);
    t.page->ReloadRecord();
    t.page->UpdateFrameMenu();
    EXPECT_FALSE(t.page->FrameInsertAction()->isEnabled());
    t.page->Menu_FrameInsert();
    EXPECT_EQ(t.page->FrameCount(), 99);
    OnNextModal<TFormFrameNumber>([](TFormFrameNumber* dialog) {
        EXPECT_EQ(dialog->Count(), 99);
        dialog->CountBox()->setValue(1);
        dialog->accept();
    });
    t.page->FrameNoBox()->click();
    EXPECT_EQ(t.page->FrameCount(), 1);
    EXPECT_EQ(t.page->FrameNoBox()->Value(), "1");
    t.page->UpdateFrameMenu();
    EXPECT_FALSE(t.page->FrameDeleteAction()->isEnabled());
}

TEST(AnimationPage, CellsAreMadeAndDraggedOnTheGrid) {
    AnimationPage t;
    // The strip chooses the pattern of new cells.
    QTest::mouseClick(t.page->Strip()->PaintBox(), Qt::LeftButton, {}, QPoint(3 * 96 + 20, 40));
    EXPECT_EQ(t.page->Strip()->Pattern(), 3);
    t.page->GridCheck()->click();
    EXPECT_EQ(t.p.db().System().PreviewGrid, 1);
    EXPECT_EQ(t.view()->Grid(), 8);

    struct Drag {
        int to, expected;
    } drags[] = {{13, 16}, {12, 8}, {-13, -16}, {-12, -8}, {2, 0}};
    for (const Drag& d : drags) {
        t.frame(0).Reset();
        t.press(t.at(0, 0));
        ASSERT_EQ(t.frame(0).Cells.Count(), 1);
        EXPECT_EQ(t.frame(0).Cells.Items(0)->Pattern, 3);
        EXPECT_TRUE(t.view()->Dragging());
        t.moveTo(t.at(d.to, d.to));
        t.release(t.at(d.to, d.to));
        EXPECT_EQ(t.frame(0).Cells.Items(0)->X, d.expected) << d.to;
        EXPECT_EQ(t.frame(0).Cells.Items(0)->Y, d.expected) << d.to;
    }

    // Shift drags every cell; Ctrl picks the cell beneath the top one.
    t.frame(0).Reset();
    t.page->GridCheck()->click();
    t.clickAt(t.at(0, 0));
    t.clickAt(t.at(100, 0));
    // A click on a cell picks it, so the cell over the first one is made by hand.
    t.frame(0).Cells.Append()->X = 10;
    ASSERT_EQ(t.frame(0).Cells.Count(), 3);
    t.press(t.at(5, 0), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(t.view()->SelectedCell(), 0);
    t.moveTo(t.at(5, 20), Qt::ShiftModifier);
    t.release(t.at(5, 20));
    EXPECT_EQ(t.frame(0).Cells.Items(0)->Y, 20);
    EXPECT_EQ(t.frame(0).Cells.Items(1)->Y, 20);
    EXPECT_EQ(t.frame(0).Cells.Items(2)->Y, 20);
    EXPECT_EQ(t.frame(0).Cells.Items(2)->X, 10);
    // A press far beyond the cells' reach makes nothing.
    t.view()->HorizontalBar()->setValue(0);
    t.clickAt(QPoint(2, 2));
    EXPECT_EQ(t.frame(0).Cells.Count(), 3);

    // A second left press while a drag is on puts the frame back as it was.
    t.view()->HorizontalBar()->setValue(320);
    t.press(t.at(100, 20));
    t.moveTo(t.at(150, 60));
    EXPECT_EQ(t.frame(0).Cells.Items(1)->X, 150);
    t.press(t.at(150, 60));
    EXPECT_EQ(t.frame(0).Cells.Items(1)->X, 100);
    EXPECT_EQ(t.frame(0).Cells.Items(1)->Y, 20);
    EXPECT_FALSE(t.view()->Dragging());
}

TEST(AnimationPage, AFullFrameTakesNoCellUntilOneIsDeleted) {
    AnimationPage t;
    for (int k = 0; k < AnimationMaxCells; ++k)
        t.clickAt(t.at(-300 + 100 * (k % 4), k < 4 ? -100 : 100));
    ASSERT_EQ(t.frame(0).Cells.Count(), 8);
    t.clickAt(t.at(200, 0));
    EXPECT_EQ(t.frame(0).Cells.Count(), 8);

    // Copy cell 3 (selected by a right press), then its menu: no room for a paste.
    t.press(t.at(2, -98), Qt::RightButton);
    t.release(t.at(2, -98), Qt::RightButton);
    ASSERT_EQ(t.view()->SelectedCell(), 3);
    EXPECT_TRUE(t.view()->CellMenu()->isVisible());
    t.view()->CellMenu()->hide();
    t.view()->Menu_Copy();
    t.view()->UpdateMenu();
    EXPECT_FALSE(t.view()->Menu_PasteAction()->isEnabled());
    EXPECT_TRUE(t.view()->Menu_PriorityUpAction()->isEnabled());
    t.view()->Menu_PasteAction()->trigger();
    EXPECT_EQ(t.frame(0).Cells.Count(), 8);

    // Deleting the last cell frees a slot; the paste lands where the menu was opened and steps
    // aside from the cell it copies.
    t.view()->SetSelectedCell(7);
    t.view()->Menu_Delete();
    EXPECT_EQ(t.frame(0).Cells.Count(), 7);
    EXPECT_EQ(t.view()->SelectedCell(), 6);
    t.view()->PopupCellMenu(QPoint(0, -100), QPoint(0, 0));
    EXPECT_TRUE(t.view()->Menu_PasteAction()->isEnabled());
    t.view()->Menu_PasteAction()->trigger();
    t.view()->CellMenu()->hide();
    ASSERT_EQ(t.frame(0).Cells.Count(), 8);
    EXPECT_EQ(t.view()->SelectedCell(), 7);
    EXPECT_EQ(t.frame(0).Cells.Items(7)->X, 8);
    EXPECT_EQ(t.frame(0).Cells.Items(7)->Y, -92);

    // Priority: the last cell cannot go up; down swaps it with the one before.
    t.view()->UpdateMenu();
    EXPECT_FALSE(t.view()->Menu_PriorityUpAction()->isEnabled());
    t.box()->setFocus();
    QTest::keyClick(t.box(), Qt::Key_PageDown);
    EXPECT_EQ(t.view()->SelectedCell(), 6);
    EXPECT_EQ(t.frame(0).Cells.Items(6)->X, 8);
    // The arrow keys move it; with Shift every cell moves.
    QTest::keyClick(t.box(), Qt::Key_Right);
    EXPECT_EQ(t.frame(0).Cells.Items(6)->X, 9);
    QTest::keyClick(t.box(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(t.frame(0).Cells.Items(6)->Y, -93);
    EXPECT_EQ(t.frame(0).Cells.Items(0)->Y, -101);
}

TEST(AnimationPage, DoubleClickEditsTheCellsProperties) {
    AnimationPage t;
    t.clickAt(t.at(30, -20));
    OnNextModal<TFormAnimationCell>([](TFormAnimationCell* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Cells Field Creation");
        EXPECT_EQ(dialog->X()->value(), 30);
        EXPECT_EQ(dialog->Pattern()->value(), 1);
        dialog->Pattern()->setValue(5);
        dialog->Zoom()->setValue(150);
        dialog->Color(3)->SetValue(0);
        dialog->accept();
    });
    SendMouse(t.box(), QEvent::MouseButtonDblClick, t.at(30, -20), Qt::LeftButton, Qt::LeftButton);
    const TQelAnimationCellItem* cell = t.frame(0).Cells.Items(0);
    EXPECT_EQ(cell->Pattern, 4);
    EXPECT_EQ(cell->Zoom, 150);
    EXPECT_EQ(cell->Chroma, 0);
    EXPECT_EQ(cell->X, 30);
}

TEST(AnimationPage, LineAndScopeChangesMoveTheCells) {
    AnimationPage t;
    ASSERT_EQ(t.view()->TargetHeight(), 96);
    t.frame(0).Cells.Append()->Y = 10;
    t.frame(5).Cells.Append()->Y = -10;
    t.page->ReloadRecord();
    ASSERT_EQ(t.record().Scope, 0);
    ASSERT_EQ(t.record().Position, 2);
    // The anchor moves up from the feet to the centre and to the head; the cells stay where
    // they were on the target, so they move down by half its height each time.
    t.page->LineGroup()->Button(1)->click();
    EXPECT_EQ(t.frame(0).Cells.Items(0)->Y, 58);
    t.page->LineGroup()->Button(0)->click();
    EXPECT_EQ(t.frame(0).Cells.Items(0)->Y, 106);
    EXPECT_EQ(t.frame(5).Cells.Items(0)->Y, 86);
    EXPECT_EQ(t.record().Position, 0);

    t.page->ScopeGroup()->Button(1)->click(); // "All": off the head
    EXPECT_EQ(t.frame(0).Cells.Items(0)->Y, 58);
    EXPECT_FALSE(t.page->LineGroup()->isEnabled());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(t.page->LineGroup()->Button(i)->isChecked());
    t.page->ScopeGroup()->Button(0)->click();
    EXPECT_EQ(t.frame(0).Cells.Items(0)->Y, 106);
    EXPECT_TRUE(t.page->LineGroup()->Button(0)->isChecked());
    t.p.close(true);
    const QJsonArray animations = t.p.savedFile()["animations"].toArray();
    const QJsonObject saved = animations[animations.size() - 1].toObject();
    EXPECT_EQ(saved["Position"].toInt(), 0);
    EXPECT_EQ(saved["Frames"].toArray()[0].toObject()["Cells"].toArray()[0].toObject()["Y"].toInt(), 106);
}

TEST(AnimationPage, TimingDialogSortsTheList) {
    AnimationPage t;
    t.addTiming(4, "Zap");
    t.page->ReloadRecord();
    QTreeWidget* list = t.page->TimingList();
    // A new entry on the empty row, at frame 4 with no sound: after "Zap".
    list->setCurrentItem(list->topLevelItem(1));
    OnNextModal<TFormAnimationTiming>([](TFormAnimationTiming* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "SE Animation Timing");
        EXPECT_EQ(dialog->Frame()->value(), 1);
        EXPECT_FALSE(dialog->Flash(0)->isEnabled());
        dialog->Frame()->setValue(4);
        dialog->Scope()->SetIndex(2);
        EXPECT_TRUE(dialog->Flash(0)->isEnabled());
        dialog->Flash(0)->SetValue(31);
        dialog->Flash(1)->SetValue(2);
        dialog->Flash(2)->SetValue(0);
        dialog->Flash(3)->SetValue(9);
        EXPECT_EQ(dialog->SwatchColor(), QColor(248, 16, 0));
        dialog->accept();
    });
    t.page->Menu_TimingEdit();
    ASSERT_EQ(t.record().Timings.Count(), 2);
    EXPECT_EQ(list->currentIndex().row(), 1);
    EXPECT_EQ(list->topLevelItem(1)->text(1), "");
    EXPECT_EQ(list->topLevelItem(1)->text(2), "Screen(R31,G02,B00,V09)");
    EXPECT_EQ(list->topLevelItem(0)->text(1), "Zap");

    // The next new entry starts at the frame edited last; moved to frame 2, it comes first.
    list->setCurrentItem(list->topLevelItem(2));
    OnNextModal<TFormAnimationTiming>([](TFormAnimationTiming* dialog) {
        EXPECT_EQ(dialog->Frame()->value(), 4);
        dialog->Frame()->setValue(2);
        dialog->accept();
    });
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(t.timingFrames(), (std::vector<int>{2, 4, 4}));
    EXPECT_EQ(list->currentIndex().row(), 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(t.record().Timings.Items(i)->ID, i + 1);

    // Copy and paste add a twin; cut takes one away.
    list->setCurrentItem(list->topLevelItem(1));
    t.page->Menu_TimingCopy();
    t.page->Menu_TimingPaste();
    EXPECT_EQ(t.record().Timings.Count(), 4);
    t.page->Menu_TimingCut();
    t.page->Menu_TimingDelete();
    EXPECT_EQ(t.record().Timings.Count(), 2);
    // Cancel changes nothing.
    OnNextModal<TFormAnimationTiming>([](TFormAnimationTiming* dialog) {
        dialog->Frame()->setValue(9);
        dialog->reject();
    });
    list->setCurrentItem(list->topLevelItem(0));
    t.page->Menu_TimingEdit();
    EXPECT_EQ(t.timingFrames(), (std::vector<int>{2, 4}));
}

TEST(AnimationPage, FrameToolsWorkOnTheRecordAndRememberTheirChoices) {
    AnimationPage t;
    for (int f = 0; f < 20; ++f)
        t.frame(f).Cells.Append()->X = f + 1;
    t.page->ReloadRecord();
    OnNextModal<TFormFrameManage>([](TFormFrameManage* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Frame Managament");
        EXPECT_EQ(dialog->FrameB()->value(), 20);
        dialog->FrameA()->setValue(4);
        dialog->FrameB()->setValue(2);
        dialog->Destination()->setValue(3);
        dialog->accept();
    });
    t.page->ButtonEditClick();
    std::vector<int> marks;
    for (int f = 0; f < 5; ++f)
        marks.push_back(t.frame(f).Cells.Items(0)->X);
    EXPECT_EQ(marks, (std::vector<int>{1, 2, 2, 3, 4}));
    EXPECT_EQ(RememberedFrameManage().Value().a, 2);
    EXPECT_EQ(RememberedFrameManage().Value().b, 4);

    // Complement from 10 to 2 works as from 2 to 10.
    t.frame(1).Cells.Items(0)->Y = 0;
    t.frame(9).Cells.Items(0)->Y = 80;
    OnNextModal<TFormComplement>([](TFormComplement* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Animation Complement Editor");
        EXPECT_EQ(dialog->EndFrame()->value(), 20);
        dialog->StartFrame()->setValue(10);
        dialog->EndFrame()->setValue(2);
        dialog->LastCell()->setValue(1);
        dialog->PatternCheck()->setChecked(false);
        dialog->accept();
    });
    t.page->ButtonCompleteClick();
    EXPECT_EQ(t.frame(5).Cells.Items(0)->Y, 40);
    EXPECT_EQ(t.frame(2).Cells.Items(0)->Y, 10);
    EXPECT_EQ(RememberedComplement().Value().startFrame, 2);
    EXPECT_EQ(RememberedComplement().Value().endFrame, 10);
    EXPECT_FALSE(RememberedComplement().Value().pattern);

    OnNextModal<TFormAnimationCellsAll>([](TFormAnimationCellsAll* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Establition Cells All Together");
        ASSERT_EQ(dialog->FrameList()->count(), 20);
        EXPECT_EQ(dialog->FrameList()->item(6)->text(), " < 007 >");
        dialog->FrameList()->item(6)->setCheckState(Qt::Checked);
        dialog->CellCheck(0)->setChecked(true);
        dialog->TransparencyCheck()->setChecked(true);
        dialog->Transparency()->setValue(60);
        dialog->accept();
    });
    t.page->ButtonCreateAllClick();
    EXPECT_EQ(t.frame(6).Cells.Items(0)->Transparency, 60);
    EXPECT_EQ(t.frame(7).Cells.Items(0)->Transparency, 0);
    // Opened again, it shows the same choices.
    OnNextModal<TFormAnimationCellsAll>([](TFormAnimationCellsAll* dialog) {
        EXPECT_EQ(dialog->FrameList()->item(6)->checkState(), Qt::Checked);
        EXPECT_EQ(dialog->FrameList()->item(5)->checkState(), Qt::Unchecked);
        EXPECT_TRUE(dialog->CellCheck(0)->isChecked());
        EXPECT_FALSE(dialog->CellCheck(1)->isChecked());
        EXPECT_EQ(dialog->Transparency()->value(), 60);
        dialog->reject();
    });
    t.page->ButtonCreateAllClick();

    // "Get Prev." copies the frame before.
    t.page->SetFrameIndex(12);
    t.page->ButtonGetPrev()->click();
    EXPECT_EQ(t.frame(12).Cells.Items(0)->X, 12);
}

namespace {

// A clock that moves on by one millisecond each time the playback waits, and a sound player that
// notes when each sound was asked for.
struct FakePlayback : SoundPlayerPort {
    int64_t now = 5000;
    int waits = 0;
    std::vector<std::pair<int64_t, std::string>> sounds;
    SoundPlayerPort* previous;
    FakePlayback() {
        previous = SetSoundPlayer(this);
        SetPlaybackClock({[this] { return now; },
                          [this] {
                              ++now;
                              ++waits;
                          }});
    }
    ~FakePlayback() override {
        SetSoundPlayer(previous);
        SetPlaybackClock({});
    }
    void PlaySound(const std::string& path, int, int, int) override { sounds.push_back({now - 5000, path}); }
};

} // namespace

TEST(AnimationPage, PlaybackPacesItsStepsAndSoundsWithoutAClock) {
    AnimationPage t;
    FakePlayback playback;
    SetAnimationFrameCount(t.record(), 4);
    t.addTiming(1, "Boom");
    t.addTiming(3, "Clang");
    t.addTiming(3, "(OFF)");
    t.addTiming(9, "Late"); // beyond the frames: never sounds
    t.page->ReloadRecord();
    t.page->ButtonPlaybackClick();
    using Play = std::pair<int64_t, std::string>;
    EXPECT_EQ(playback.sounds, (std::vector<Play>{{330, "Boom"}, {396, "Clang"}}));
    // The last step, frame count + 9, is shown at 330 + 33 x 13 ms.
    EXPECT_EQ(playback.now - 5000, 759);
    EXPECT_EQ(playback.waits, 759);
    // Afterwards the view shows the edited frame again.
    EXPECT_FALSE(t.view()->Dragging());
}

TEST(AnimationPage, PlaybackStepsShowTheFlashes) {
    AnimationPage t;
    TQelAnimationTimingItem* flash = t.addTiming(2);
    flash->FlashScope = 2;
    flash->FlashRed = 31;
    flash->FlashGreen = 0;
    flash->FlashBlue = 0;
    flash->FlashPower = 31;
    t.page->ReloadRecord();
    // The game screen (the view's 320 x 160 at the start) is black before the flash and red in it.
    t.page->ShowPlaybackStep(-5);
    EXPECT_EQ(t.view()->Board().Pixel(4, 4), Pack565({0, 0, 0}));
    t.page->ShowPlaybackStep(1);
    const TRGB red = Unpack565(t.view()->Board().Pixel(4, 4));
    EXPECT_GT(red.red, 200);
    EXPECT_EQ(red.green, 0);
    // Editing shows the darkened target and the guide lines again.
    t.page->RepaintView();
    const TAnimationViewGeometry g = t.view()->Geometry();
    EXPECT_EQ(t.view()->Board().Pixel(g.originX, g.originY + 20), Pack565({0, 128, 0}));
    const TRGB target =
        Unpack565(t.view()->Board().Pixel(g.originX + g.imageX + 30, g.originY + g.imageY + 50));
    EXPECT_LT(target.red, 100);
    EXPECT_GT(target.red, 50);
}

TEST(AnimationPage, FrameMenuWorksOnTheSelectedFrame) {
    AnimationPage t;
    t.frame(0).Cells.Append()->X = 11;
    t.frame(0).Cells.Append()->X = 12;
    t.page->ReloadRecord();
    // Nothing to paste before a frame was copied.
    t.page->UpdateFrameMenu();
    EXPECT_FALSE(t.page->FramePasteAction()->isEnabled());
    t.page->Menu_FrameCopy();
    t.page->UpdateFrameMenu();
    EXPECT_TRUE(t.page->FramePasteAction()->isEnabled());

    t.page->SetFrameIndex(4);
    t.page->Menu_FramePaste();
    ASSERT_EQ(t.frame(4).Cells.Count(), 2);
    EXPECT_EQ(t.frame(4).Cells.Items(1)->X, 12);
    EXPECT_EQ(t.frame(0).Cells.Count(), 2);
    EXPECT_TRUE(t.p.form->ButtonApply()->isEnabled());

    // Cut empties the frame and keeps its cells for a paste; clear only empties.
    t.frame(4).Cells.Items(1)->X = 40;
    t.page->Menu_FrameCut();
    EXPECT_EQ(t.frame(4).Cells.Count(), 0);
    t.page->SetFrameIndex(6);
    t.page->Menu_FramePaste();
    ASSERT_EQ(t.frame(6).Cells.Count(), 2);
    EXPECT_EQ(t.frame(6).Cells.Items(1)->X, 40);
    t.page->Menu_FrameClear();
    EXPECT_EQ(t.frame(6).Cells.Count(), 0);
    EXPECT_EQ(t.page->FrameCount(), 20);

    // B and N step through the frames from the list and from the view, not with Ctrl.
    t.page->SetFrameIndex(3);
    QTest::keyClick(t.page->FrameList(), Qt::Key_N);
    EXPECT_EQ(t.page->FrameIndex(), 4);
    EXPECT_EQ(t.view()->Frame(), 4);
    QTest::keyClick(t.box(), Qt::Key_B);
    QTest::keyClick(t.box(), Qt::Key_B);
    EXPECT_EQ(t.page->FrameIndex(), 2);
    QTest::keyClick(t.box(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(t.page->FrameIndex(), 2);
    t.page->ButtonNext()->click();
    EXPECT_EQ(t.page->FrameIndex(), 3);
    EXPECT_TRUE(t.page->ButtonGetPrev()->isEnabled());
    t.page->SetFrameIndex(0);
    t.page->ButtonBack()->click();
    EXPECT_EQ(t.page->FrameIndex(), 0);
    EXPECT_FALSE(t.page->ButtonGetPrev()->isEnabled());
}

TEST(AnimationPage, TargetVictimAndPictureAreChosenHere) {
    AnimationPage t;
    // A target beyond the monster list shows the first monster.
    t.p.db().System().PreviewMonster = 9999;
    t.page->ReloadRecord();
    EXPECT_EQ(t.page->TargetBox()->ID(), 1);
    EXPECT_EQ(t.view()->TargetHeight(), 96);
    ASSERT_GE(t.page->TargetBox()->count(), 2);
    t.page->TargetBox()->setCurrentIndex(1);
    EXPECT_EQ(t.p.db().System().PreviewMonster, 2);
    EXPECT_TRUE(t.p.form->ButtonApply()->isEnabled());

    // The picture comes from the battle animation picker, with the record's name chosen in it.
    for (const char* name : {"Before", "After"})
        WriteProjectPicture("Battle", name, t.pictures.Blank(480, 96, {{0, 0, 0}}));
    t.record().GraphicName = "Before";
    t.page->ReloadRecord();
    PickPicture(t.page->ImageBox(), "Select Battle Animation", "Before", "After", false);
    EXPECT_EQ(t.record().GraphicName, "Before");
    PickPicture(t.page->ImageBox(), "Select Battle Animation", "Before", "After", true);
    EXPECT_EQ(t.record().GraphicName, "After");
    EXPECT_EQ(t.page->ImageBox()->Value(), "After");
}
