#pragma once

// The "Battle" page of the database window: battle animations built frame by frame from the
// patterns of a picture, placed around a target monster, with a timing list of sound effects and
// flashes, and played back in the view.

#include <QElapsedTimer>
#include <functional>

#include "DataBaseList.h"
#include "data/LD_Animation.h"

class QAction;
class QCheckBox;
class QMenu;
class QPushButton;
class QTreeWidget;

namespace tarvel {

class TAnimationCellView;
class TAnimationPatternStrip;
class TFieldBox;
class TRadioGroup;
class TRecordCombo;

// The clock a playback paces itself by: the milliseconds since some start, and a short wait.
// Tests put in a clock of their own, so a playback never waits for real time.
struct TPlaybackClock {
    std::function<int64_t()> now;
    std::function<void()> wait;
};
// Installs a clock (empty parts: the system's millisecond clock and a 1 ms sleep).
void SetPlaybackClock(TPlaybackClock clock);

class TFormEDAnimation : public TFormDataBaseListOf<TQelAnimationItem> {
    Q_OBJECT
public:
    TFormEDAnimation(QWidget* parent, TQelDataBase& dataBase);
    ~TFormEDAnimation() override;

    int FrameCount() const;
    // The frame shown (0-based).
    int FrameIndex() const;
    void SetFrameIndex(int index);

    TAnimationCellView* View() const { return mView; }
    TAnimationPatternStrip* Strip() const { return mStrip; }
    TFieldBox* ImageBox() const { return mImageBox; }
    TFieldBox* FrameNoBox() const { return mFrameNoBox; }
    QListWidget* FrameList() const { return mFrameList; }
    TRadioGroup* ScopeGroup() const { return mScope; }
    TRadioGroup* LineGroup() const { return mLine; }
    TRecordCombo* TargetBox() const { return mTarget; }
    QCheckBox* GridCheck() const { return mGrid; }
    QPushButton* ButtonBack() const { return mBack; }
    QPushButton* ButtonNext() const { return mNext; }
    QPushButton* ButtonGetPrev() const { return mGetPrev; }
    QPushButton* ButtonEdit() const { return mEdit; }
    QPushButton* ButtonComplete() const { return mComplete; }
    QPushButton* ButtonCreateAll() const { return mCreateAll; }
    QPushButton* ButtonPlayback() const { return mPlayback; }
    QTreeWidget* TimingList() const { return mTimingList; }
    QMenu* FrameMenu() const { return mFrameMenu; }
    QMenu* TimingMenu() const { return mTimingMenu; }
    QAction* FrameInsertAction() const { return mFrameInsert; }
    QAction* FrameDeleteAction() const { return mFrameDelete; }
    QAction* FramePasteAction() const { return mFramePaste; }
    QAction* TimingEditAction() const { return mTimingEdit; }
    QAction* TimingPasteAction() const { return mTimingPaste; }

    // The text of a timing list row: frame, sound (blank for none) and flash.
    static QStringList TimingRowTexts(const TQelAnimationTimingItem& timing);

    void ButtonGetPrevClick();
    void ButtonEditClick();
    void ButtonCompleteClick();
    void ButtonCreateAllClick();
    // Plays the animation in the view, paced by the playback clock; returns when it is over.
    void ButtonPlaybackClick();
    // Shows one step of a playback in the view (what the playback shows at that moment).
    void ShowPlaybackStep(int step);
    // Shows the frame being edited again.
    void RepaintView();

    void Menu_FrameCopy();
    void Menu_FramePaste();
    void Menu_FrameClear();
    void Menu_FrameCut();
    void Menu_FrameInsert();
    void Menu_FrameDelete();
    void UpdateFrameMenu();

    // The timing entry of a list row (none for the empty last row).
    TQelAnimationTimingItem* TimingAt(int row) const;
    void Menu_TimingEdit();
    void Menu_TimingCut();
    void Menu_TimingCopy();
    void Menu_TimingPaste();
    void Menu_TimingDelete();
    void UpdateTimingMenu();

protected:
    void LoadRecord() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ImageBoxClick(std::string& name);
    bool FrameNoBoxClick(std::string& value);
    void ScopeClick(int scope);
    void LineClick(int line);
    void TargetChange(int row);
    void GridClick(bool on);

    void fillFrameList(int selected);
    void fillTimingList(const TQelAnimationTimingItem* select);
    void loadTarget();
    void showLine();
    void timingsChanged(const TQelAnimationTimingItem* select);
    void framesChanged();
    void cellsChanged();

    TFieldBox* mImageBox;
    TFieldBox* mFrameNoBox;
    QListWidget* mFrameList;
    QPushButton* mBack;
    QPushButton* mNext;
    TRadioGroup* mScope;
    TRadioGroup* mLine;
    TRecordCombo* mTarget;
    QCheckBox* mGrid;
    QPushButton* mGetPrev;
    QPushButton* mEdit;
    QPushButton* mComplete;
    QPushButton* mCreateAll;
    QPushButton* mPlayback;
    QTreeWidget* mTimingList;
    TAnimationCellView* mView;
    TAnimationPatternStrip* mStrip;
    QMenu* mFrameMenu;
    QAction* mFrameCopy;
    QAction* mFramePaste;
    QAction* mFrameClear;
    QAction* mFrameCut;
    QAction* mFrameInsert;
    QAction* mFrameDelete;
    QMenu* mTimingMenu;
    QAction* mTimingEdit;
    QAction* mTimingCut;
    QAction* mTimingCopy;
    QAction* mTimingPaste;
    QAction* mTimingDelete;
};

} // namespace tarvel
