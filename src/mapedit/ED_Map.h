#pragma once

// The map properties dialog ("Map Making" / "Map Creation"), the area dialog ("Area Making" /
// "Area Creation"), and their shared encounter list with the "Map Encounter Rate Editor".

#include <memory>

#include "MapTreeView.h"
#include "controls/FormQelBase.h"
#include "graphics/PrismSheet.h"

class QAbstractButton;
class QListWidget;
class QSpinBox;
class QTreeWidget;

namespace Ui {
class TFormEDMap;
class TFormEDArea;
} // namespace Ui

namespace tarvel {

// A map or area may list at most this many monster groups.
constexpr int MaxEncounters = 500;

// Chooses one monster group ("Map Encounter Rate Editor").
class TFormEncounterEdit : public TFormQelBase {
    Q_OBJECT
public:
    TFormEncounterEdit(QWidget* parent, int32_t monGroupID);
    int32_t MonGroupID() const;
    QListWidget* list() const { return mList; }

private:
    QListWidget* mList;
};

// The encounter list of a map or area dialog: one row per entry with the monster group's name and
// an empty row at the end, with its popup menu (edit, cut, copy, paste, delete; clipboard format
// 569) and the 500-entry limit. It edits a working copy of the entries.
class TEncounterList : public QObject {
    Q_OBJECT
public:
    TEncounterList(QTreeWidget* view, const TQelEncount& entries, QWidget* owner);
    const TQelEncount& Entries() const { return mEntries; }

    void Refresh();
    // The row under the cursor's entry index (Count() for the empty row), or -1.
    int CurrentRow() const;
    bool CanEdit() const;
    bool CanPaste() const;
    void Edit();
    void Cut();
    void Copy();
    void Paste();
    void Delete();
    // The menu for the current row.
    QMenu* Menu() const { return mMenu; }
    // Chooses a monster group for an entry; set by tests, else the encounter editor dialog.
    std::function<bool(int32_t& monGroupID)> chooseGroup;

private:
    void updateMenu();
    QTreeWidget* mView;
    QWidget* mOwner;
    TQelEncount mEntries;
    QMenu* mMenu;
    QAction *mEditAction, *mCutAction, *mCopyAction, *mPasteAction, *mDeleteAction;
};

class TFormEDMap : public TFormQelBase {
    Q_OBJECT
public:
    TFormEDMap(QWidget* parent, MapPropertiesRequest& request);
    ~TFormEDMap() override;
    Ui::TFormEDMap* form() const { return ui.get(); }
    TEncounterList* encounters() const { return mEncounters.get(); }

    // The dialog's values into the request (done by OK).
    void WriteBack();
    // Recomputes which controls are enabled (done on every change).
    void UpdateEnabling();

    // Open the pickers; set by tests, else the material pickers.
    std::function<bool(std::string& name)> choosePanorama;
    std::function<bool(TQelMusic& music)> chooseMusic;
    std::function<bool(std::string& name)> chooseBackdrop;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readRequest();
    void repaintPreview();
    void setPanoramaName(const std::string& name);
    void showSpeed(QSpinBox* spin, bool enabled, int stored);
    int chosenMode(std::initializer_list<QAbstractButton*> radios) const;
    void setMode(std::initializer_list<QAbstractButton*> radios, int mode);

    std::unique_ptr<Ui::TFormEDMap> ui;
    MapPropertiesRequest& mRequest;
    std::unique_ptr<TEncounterList> mEncounters;
    TQelMusic mMusic;
    std::string mBattleBackName;
    std::string mPanoramaName;
    int mHorzSpeed = 0;
    int mVertSpeed = 0;
    bool mUpdating = false;
    TPrismSheet mPanorama;
    TPrismBoard mPreviewBoard;
};

class TFormEDArea : public TFormQelBase {
    Q_OBJECT
public:
    TFormEDArea(QWidget* parent, AreaPropertiesRequest& request);
    ~TFormEDArea() override;
    Ui::TFormEDArea* form() const { return ui.get(); }
    TEncounterList* encounters() const { return mEncounters.get(); }
    void WriteBack();
    // "(%.3d,%.3d) - (%.3d,%.3d)" with left, top, right - 1, bottom - 1; empty for no rectangle.
    static QString AreaText(const TMapAreaRect& rect);

    // Opens the rectangle picker on the parent map; set by the main window (and tests).
    std::function<bool(TMapAreaRect& rect)> chooseArea;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::TFormEDArea> ui;
    AreaPropertiesRequest& mRequest;
    std::unique_ptr<TEncounterList> mEncounters;
    TMapAreaRect mRect;
};

} // namespace tarvel
