#pragma once

// The event editor: the modal window in which one map event is edited on a working copy — its
// name and its pages (up to 100), each with its appearance conditions, graphic, movement, trigger,
// priority, animation and script. OK and Apply hand the copy to the caller (the event manager
// stores it into the map); Cancel leaves the map untouched. When a sub-dialog changed the database
// (a switch renamed in a switch picker), OK and Apply save the database file at once and Cancel
// reads it back, so those changes stand or fall with the event.

#include <QTimer>
#include <functional>
#include <memory>

#include "controls/FormQelBase.h"
#include "data/EventScriptConverter.h"
#include "data/LD_Event.h"
#include "graphics/PrismSheet.h"

namespace Ui {
class TFormEDEvent;
}

namespace tarvel {

class TQelMap;
class TQelMapTree;
class TRecordCombo;
class TScriptEditor;
class TScriptListBox;
class TSwitchVariableBox;

// How an editor keeps the database after a sub-dialog changed it: Save writes the file and raises
// when it cannot; Reload reads it back from the file.
struct TDataBaseStore {
    std::function<void()> Save;
    std::function<void()> Reload;
};

// The move route editor of a page ("Create Route..."), where it exists: edits the page's route
// and frequency and returns true on OK; sets dataBaseChanged when it changed the database. Until
// one is installed the button stays disabled.
using TMoveRouteEditorRunner =
    std::function<bool(QWidget* owner, TQelEventPageItem& page, bool& dataBaseChanged)>;
void SetMoveRouteEditorRunner(TMoveRouteEditorRunner runner);
bool HasMoveRouteEditor();

class TFormEDEvent : public TFormQelBase {
    Q_OBJECT
public:
    static constexpr int MaxPages = 100;
    // The name is kept to this many bytes.
    static constexpr int NameBytes = 20;
    static constexpr int HelpContext = 201;
    static constexpr int PreviewWidth = 56;
    static constexpr int PreviewHeight = 64;
    // Where the graphic picker and the move route editor open.
    static constexpr QPoint GraphicPickerOffset{24, 88};
    static constexpr QPoint RouteEditorOffset{24, 40};
    static constexpr QPoint CommandPickerOffset{352, 72};

    explicit TFormEDEvent(QWidget* owner);
    ~TFormEDEvent() override;
    Ui::TFormEDEvent* form() const { return ui.get(); }

    // ---- set by the caller before the window shows ----
    void SetMapTree(TQelMapTree* tree) { mMapTree = tree; }
    void SetMap(TQelMap* map) { mMap = map; }
    void SetEventID(int32_t id) { mEventID = id; }
    int32_t EventID() const { return mEventID; }
    // The working copy.
    TQelEventItem& Event() { return mEvent; }
    // Called with the working copy on OK and Apply.
    std::function<void(const TQelEventItem&)> onStore;
    void SetDataBaseStore(TDataBaseStore store) { mStore = std::move(store); }
    void SetApplyEnabled(bool on);

    // ---- state ----
    // The page shown (the tab's index + 1) and its record.
    int PageNumber() const { return mPageNumber; }
    TQelEventPageItem* Page() const;
    int PageCount() const { return mEvent.Pages.Count(); }
    // A sub-dialog changed the database and it has not been saved since.
    bool DataBaseChangePending() const { return mDataBaseChanged; }
    TScriptListBox* ScriptList() const;
    TScriptEditor* ScriptEditor() const { return mScriptEditor; }
    const TEventScriptConverter& Converter() const { return mConverter; }
    // The value controls of the conditions: the two switches, the variable, the item, the hero.
    TSwitchVariableBox* BoxSwitchA() const { return mBoxSwitchA; }
    TSwitchVariableBox* BoxSwitchB() const { return mBoxSwitchB; }
    TSwitchVariableBox* BoxVariable() const { return mBoxVariable; }
    TRecordCombo* ComboItem() const { return mComboItem; }
    TRecordCombo* ComboHero() const { return mComboHero; }

    // ---- the preview ----
    const TPrismBoard& PreviewBoard() const { return mPreview; }
    int FrameCounter() const { return mFrame; }
    QTimer& PreviewTimer() { return mPreviewTimer; }
    // What the preview timer does: the next frame.
    void PreviewTimerTick();
    // The timer's interval for a speed (1..6) and animation type.
    static int PreviewInterval(int speed, int animType);

    // ---- the buttons ----
    void ButtonNewPageClick();
    void ButtonCopyPageClick();
    void ButtonPastePageClick();
    void ButtonDeletePageClick();
    void ButtonSetGraphicClick();
    void ButtonCreateRouteClick();
    void ButtonMusicClick();
    void ButtonOkClick();
    void ButtonApplyClick();
    void ButtonHelpClick();
    // Shows another page (a tab index 0..).
    void ShowPage(int tabIndex);
    // A sub-dialog reported that it changed the database: the page shows the new names.
    void SubDialogChangedDataBase();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The condition controls that need the database, in the places the form keeps for them.
    void createConditionControls();
    void fillTabs();
    void refreshPage();
    void refreshPageButtons();
    void refreshConditions();
    void refreshMovement();
    void reloadPreview();
    void drawPreview();
    void conditionChecked();
    void storeTimer();
    void nameEdited(const QString& text);
    void modified();
    // Saves the database when a sub-dialog changed it, then hands the copy over; false (with a
    // message, the window staying open) when the database could not be saved.
    bool store();

    std::unique_ptr<Ui::TFormEDEvent> ui;
    TScriptEditor* mScriptEditor = nullptr;
    TSwitchVariableBox* mBoxSwitchA = nullptr;
    TSwitchVariableBox* mBoxSwitchB = nullptr;
    TSwitchVariableBox* mBoxVariable = nullptr;
    TRecordCombo* mComboItem = nullptr;
    TRecordCombo* mComboHero = nullptr;
    TQelMapTree* mMapTree = nullptr;
    TQelMap* mMap = nullptr;
    int32_t mEventID = 0;
    TQelEventItem mEvent;
    TEventScriptConverter mConverter;
    TDataBaseStore mStore;
    int mPageNumber = 1;
    // The handlers ignore the changes the window makes while it fills its controls.
    bool mUpdating = false;
    bool mNameEdited = false;
    bool mDataBaseChanged = false;
    bool mShownOnce = false;
    // One character cell (72 x 128) of the page's character set.
    TPrismSheet mCharSheet;
    TPrismBoard mPreview;
    int mFrame = 0;
    QTimer mPreviewTimer;
};

} // namespace tarvel
