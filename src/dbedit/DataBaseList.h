#pragma once

// The list pages of the database window: the record list on the left with everything the frame
// does with it (selecting, the maximum, copy, paste, clear, cut, multi-copy, previous and next,
// the remembered position), the record's name, and an area on the right that each page fills
// with the editor of its own fields.

#include "DataBaseBase.h"

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tarvel {

class TCatalogItem;

class TFormDataBaseList : public TFormDataBaseBase {
    Q_OBJECT
public:
    // records: the section this page edits; clipboardFormat: its private format, which also keys
    // the remembered list position.
    TFormDataBaseList(QWidget* parent, TQelDataBase& dataBase, TCatalog& records, int clipboardFormat);
    // Remembers the list's top and selected line.
    ~TFormDataBaseList() override;

    TCatalog& Records() const { return mRecords; }
    int ClipboardFormat() const { return mFormat; }
    // The record shown in the controls (none before Start).
    TCatalogItem* CurrentRecord() const { return mCurrent; }

    TRecordListBox* DataList() const { return mList; }
    QPushButton* ButtonMax() const { return mButtonMax; }
    // The record's name. A page places it in its editor where it likes; one it leaves unplaced
    // stands on top of the editor area with the label "Name".
    QLineEdit* EditName() const { return mEditName; }
    QMenu* ListMenu() const { return mMenu; }
    QAction* Menu_CopyAction() const { return mCopy; }
    QAction* Menu_PasteAction() const { return mPaste; }
    QAction* Menu_ClearAction() const { return mClear; }
    QAction* Menu_CutAction() const { return mCut; }
    QAction* Menu_MultiCopyAction() const { return mMultiCopy; }

    // Fills the list, puts back the remembered position and loads the selected record.
    void Start() override;
    void SelectPreviousRecord() override;
    void SelectNextRecord() override;

    // The record at the selected line becomes current and is loaded, unless it already is.
    void DataListClick();
    // Loads the current record into the controls again (after the record changed under them).
    void ReloadRecord();

    void ButtonMaxClick();
    void Menu_Copy();
    void Menu_Paste();
    void Menu_Clear();
    void Menu_Cut();
    void Menu_MultiCopy();
    // Enables "&Paste" when the clipboard holds the page's format.
    void UpdateMenu();

protected:
    // The right-hand side: the page builds its controls in here (any layout).
    QWidget* EditorArea() const { return mEditorArea; }
    // Loads the controls from CurrentRecord(); the loading flag is set meanwhile. The name is
    // loaded by the base.
    virtual void LoadRecord() {}

private:
    void selectRecord(bool force);
    void EditNameChange(const QString& text);
    // The page's left edge in the database window, where the frame places its dialogs from.
    int pageLeft() const;

    TCatalog& mRecords;
    int mFormat;
    TCatalogItem* mCurrent = nullptr;
    TRecordListBox* mList;
    QPushButton* mButtonMax;
    QLineEdit* mEditName;
    QWidget* mNameRow;
    QWidget* mEditorArea;
    QMenu* mMenu;
    QAction* mCopy;
    QAction* mPaste;
    QAction* mClear;
    QAction* mCut;
    QAction* mMultiCopy;
    bool mStarted = false;
};

// A list page for records of one class: the current record typed.
template <typename Item>
class TFormDataBaseListOf : public TFormDataBaseList {
public:
    using TFormDataBaseList::TFormDataBaseList;
    Item* Current() const { return static_cast<Item*>(CurrentRecord()); }
};

// The page of a record kind whose own editor is not there yet: the record list with every frame
// operation and the record's name.
class TFormEDRecordNames : public TFormDataBaseList {
    Q_OBJECT
public:
    using TFormDataBaseList::TFormDataBaseList;
};

} // namespace tarvel
