#pragma once

// The page base of the database window, and the record-list routines the list pages share.

#include <QListWidget>
#include <QWidget>
#include <functional>

#include "pickers/ProcessOption.h"

namespace tarvel {

class TCatalog;
class TQelDataBase;
class TQelMap;
class TQelMapTree;

// Every page of the database window: a borderless widget that edits the live database sections.
// The window creates a page when its tab is chosen, wires it (OnModified, the map tree, the map)
// and then calls Start; it releases the page when another tab is chosen or the window closes.
class TFormDataBaseBase : public QWidget {
    Q_OBJECT
public:
    TFormDataBaseBase(QWidget* parent, TQelDataBase& dataBase);
    ~TFormDataBaseBase() override;

    // Set by the database window: enables "&Apply".
    std::function<void()> OnModified;

    TQelDataBase& DataBase() const { return mDataBase; }
    // The editor's map tree and current map (not owned; either may be none).
    TQelMapTree* MapTree() const { return mMapTree; }
    void SetMapTree(TQelMapTree* tree) { mMapTree = tree; }
    TQelMap* Map() const { return mMap; }
    void SetMap(TQelMap* map) { mMap = map; }

    // Called once the page is placed and wired: fills what the page shows.
    virtual void Start() {}
    // A control stored a change into the database: fires OnModified, then RefreshDerived.
    virtual void Modified();
    // Refreshes the displays derived from the current record.
    virtual void RefreshDerived() {}
    // F4 and F5 of the window; list pages move their list selection one line up or down.
    virtual void SelectPreviousRecord() {}
    virtual void SelectNextRecord() {}

    // While set, the change handlers of the page's controls do nothing (the page is filling them).
    bool Loading() const { return mLoading > 0; }

protected:
    // Sets the loading flag for as long as it lives (nests).
    class TLoadingScope {
    public:
        explicit TLoadingScope(TFormDataBaseBase& page) : mPage(page) { ++mPage.mLoading; }
        ~TLoadingScope() { --mPage.mLoading; }
        TLoadingScope(const TLoadingScope&) = delete;
        TLoadingScope& operator=(const TLoadingScope&) = delete;

    private:
        TFormDataBaseBase& mPage;
    };

private:
    TQelDataBase& mDataBase;
    TQelMapTree* mMapTree = nullptr;
    TQelMap* mMap = nullptr;
    int mLoading = 0;
};

// The list box of a record list: one line per record, scrolled a whole line at a time so that
// its top line can be kept and put back.
class TRecordListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TRecordListBox(QWidget* parent = nullptr);
    // The first line shown.
    int TopLine();
    // A list that is not laid out yet (the page is being built) takes the line as soon as it
    // is, unless the user scrolls first.
    void SetTopLine(int line);
    // Lays the lines out now instead of at the next event loop turn.
    void LayoutNow();

protected:
    void updateGeometries() override;

private:
    void applyTopLine();
    int mPendingTop = -1;
};

// The top line and selected line of a page's record list, kept for the rest of the run.
struct TListPosition {
    int topLine = 0;
    int selectedLine = 0;
};
// The remembered position of the record list that uses this clipboard format (one per list page).
TProcessOption<TListPosition>& RememberedListPosition(int clipboardFormat);

// "%.4d:%s": the record's ID with at least four digits and its name ("0007:Alex"); empty past the
// end of the list.
QString RecordLineText(const TCatalog& records, int index);
// Rebuilds every line; an empty list gets a record with ID 1 first. The selected line and top
// line stay (the last line is selected when the old one is gone).
void FillRecordList(TRecordListBox* list, TCatalog& records);
// Sets the top line and the selected line; an out-of-range selection selects the first line.
void RestoreListPosition(TRecordListBox* list, int topLine, int selectedLine);
// Rewrites the selected line only.
void RefreshRecordLine(TRecordListBox* list, const TCatalog& records);

// "Max Field Number...": "Data Maximum" placed at (pageLeft + 14, 410) from the owner; after OK
// the records are created or deleted and the list rebuilt. True when the number changed hands
// (the page reloads its record and reports the change).
bool ChangeRecordCount(QWidget* owner, int pageLeft, TRecordListBox* list, TCatalog& records);
// "&MultiCopy...": "Multi Copy" placed at (pageLeft + 14, 32) from the owner; after OK that many
// records from the current one on go to the clipboard as one block. True when copied.
bool MultiCopyRecords(QWidget* owner, int pageLeft, TRecordListBox* list, TCatalog& records,
                      int clipboardFormat);

} // namespace tarvel
