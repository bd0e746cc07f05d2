#pragma once

// The switch and variable pickers (twins): choose an ID from groups of 20, rename the entries in
// place and change their number. Names and the number are edited in a working list and written
// into the database section by "&Apply" or OK; the caller learns from DataBaseChanged that the
// database must be saved.

#include <memory>
#include <string>
#include <vector>

#include "ProcessOption.h"
#include "controls/FormQelBase.h"

class QAction;

namespace Ui {
class TFormSelSwitch;
}

namespace tarvel {

class TCatalog;

// The switch last chosen with OK (1 at the start of a run).
TProcessOption<int>& LastSwitchID();

class TFormSelSwitchVariable : public TFormQelBase {
    Q_OBJECT
public:
    static constexpr int GroupSize = 20;
    static constexpr int NameBytes = 20;

    ~TFormSelSwitchVariable() override;
    Ui::TFormSelSwitch* form() const { return ui.get(); }

    // The chosen ID: group x 20 + row + 1.
    int ChosenID() const { return mChosenID; }
    // The ID selected when the dialog shows; by default the last one chosen with OK.
    void SetChosenID(int id) { mChosenID = id; }
    // "&Apply" (or OK with pending changes) wrote names or the number into the section.
    bool DataBaseChanged() const { return mDataBaseChanged; }
    // Changes are waiting for "&Apply".
    bool Pending() const { return mPending; }

    int WorkingCount() const { return int(mNames.size()); }
    // The working name of an ID, 1..WorkingCount() (bytes as stored).
    const std::string& WorkingName(int id) const { return mNames[size_t(id - 1)]; }

    void SelectPreviousID();
    void SelectNextID();
    void ButtonApplyClick();
    void ButtonOkClick();
    void ButtonMaxClick();
    void Menu_Copy();
    void Menu_Paste();
    void Menu_Clear();

    // "[ %.4d - %.4d ]": the first and last ID of a group.
    static QString GroupText(int firstID, int lastID);
    // The longest start of a text that fits in a byte count in UTF-8, never cut inside a
    // character.
    static QString CutToBytes(const QString& text, int bytes);

signals:
    // "&Apply" wrote the working list into the section.
    void dataBaseChanged();

protected:
    TFormSelSwitchVariable(QWidget* parent, TCatalog& list, const QString& caption,
                           TProcessOption<int>& lastID);

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void GroupListClick(int group);
    void DataListClick(int row);
    void EditNameChange(const QString& text);
    void setName(int id, const std::string& name);
    void rebuildGroups();
    void fillDataList();
    void selectID(int id);
    void markPending();
    QString lineText(int id) const;

    std::unique_ptr<Ui::TFormSelSwitch> ui;
    TCatalog& mList;
    TProcessOption<int>& mLastID;
    std::vector<std::string> mNames;
    int mChosenID;
    bool mPending = false;
    bool mDataBaseChanged = false;
    QAction* mPaste = nullptr;
};

// "Select Switch": the database's switches.
class TFormSelSwitch : public TFormSelSwitchVariable {
    Q_OBJECT
public:
    TFormSelSwitch(QWidget* parent, TCatalog& switches);
};

} // namespace tarvel
