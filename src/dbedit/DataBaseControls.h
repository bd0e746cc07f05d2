#pragma once

// The controls the database pages share: a record chosen from another section by ID, a value
// chosen in a dialog (material, music, sound, switch), per-record flag and rank tables, and the
// binder that ties each control to one field of the page's current record.

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QWidget>
#include <functional>
#include <type_traits>
#include <vector>

#include "DataBaseBase.h"

class QToolButton;

namespace tarvel {

class TCatalog;
class TQelMusic;
class TQelSound;
class TQelSwitch;

// A choice of a record of another section, or none. Each line holds its record's ID. A value
// that names no line (a record that no longer exists) gets a line of its own, so loading and
// saving a record never changes it behind the user's back.
class TRecordComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TRecordComboBox(QWidget* parent = nullptr);
    // The lines "%.4d:%s" of the records, after a first line for ID 0 when noneText is given.
    void Fill(const TCatalog& records, const QString& noneText = {});
    // Only the records the filter accepts.
    void Fill(const TCatalog& records, const QString& noneText, const std::function<bool(int id)>& filter);
    void SetID(int id);
    int ID() const;
};

// A value chosen in a dialog: the value as read-only text and a "..." button.
class TChooserBox : public QWidget {
    Q_OBJECT
public:
    explicit TChooserBox(QWidget* parent = nullptr);
    QLineEdit* Edit() const { return mEdit; }
    QToolButton* Button() const { return mButton; }
    void SetText(const QString& text);

signals:
    void chooseRequested();

private:
    QLineEdit* mEdit;
    QToolButton* mButton;
};

// Runs the dialogs of the chooser boxes. Each returns true when the user chose (OK).
namespace Choose {
// A music or sound reference through "Select BGM" or "Select Sound Effect".
bool Music(QWidget* owner, TQelMusic& music);
bool Sound(QWidget* owner, TQelSound& sound);
// A switch through "Select Switch" (which may also rename switches: then switchesChanged is set).
bool Switch(QWidget* owner, TQelSwitch& switches, int32_t& id, bool& switchesChanged);
// "%.4d:%s" of a switch; the ID alone when it has no name or does not exist.
QString SwitchText(const TQelSwitch& switches, int32_t id);
} // namespace Choose

// One line per record of another section with a check box: the conditions a skill inflicts,
// the heroes who may equip an item.
class TRecordFlagList : public QListWidget {
    Q_OBJECT
public:
    explicit TRecordFlagList(QWidget* parent = nullptr);
    void Fill(const TCatalog& records);
    // The record ID of each line is its line + 1.
    bool Flag(int id) const;
    void SetFlag(int id, bool on);

signals:
    // The user changed the flag of a record.
    void flagChanged(int id, bool on);

private:
    bool mFilling = false;
};

// One row per record of another section and a rank A..E (0..4) for each: a hero's or monster's
// susceptibility to conditions and attributes. A click on a rank's column chooses it.
class TRecordRankTable : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int RankCount = 5;

    explicit TRecordRankTable(QWidget* parent = nullptr);
    void Fill(const TCatalog& records);
    int Rank(int id) const;
    void SetRank(int id, int rank);

signals:
    void rankChanged(int id, int rank);

private:
    void cellChosen(int row, int column);
    std::vector<int> mRanks;
};

// Ties controls to fields of the page's current record. A field is a member pointer or a
// callable that gives a reference to it; Load fills every control from the record, and each
// control stores its changes straight into the record and reports them to the page (not while
// the page is loading).
template <typename Record>
class TFieldBinder {
public:
    TFieldBinder(TFormDataBaseBase& page, std::function<Record*()> current)
        : mPage(page), mCurrent(std::move(current)) {}

    // Every bound control from the current record (run it inside the page's loading scope).
    void Load() {
        Record* record = mCurrent();
        if (!record) return;
        for (auto& load : mLoaders)
            load(*record);
    }

    template <typename Field>
    QSpinBox* Spin(QSpinBox* box, int minimum, int maximum, Field field) {
        box->setRange(minimum, maximum);
        // As wide as its range needs, not as wide as the form.
        box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        mLoaders.push_back([box, field](Record& r) { box->setValue(int(std::invoke(field, r))); });
        QObject::connect(box, &QSpinBox::valueChanged, box, [this, field](int value) {
            store([&](Record& r) { assign(std::invoke(field, r), value); });
        });
        return box;
    }

    template <typename Field>
    QCheckBox* Check(QCheckBox* box, Field field) {
        mLoaders.push_back([box, field](Record& r) { box->setChecked(std::invoke(field, r) != 0); });
        QObject::connect(box, &QCheckBox::toggled, box, [this, field](bool on) {
            store([&](Record& r) { assign(std::invoke(field, r), on ? 1 : 0); });
        });
        return box;
    }

    // The line index is the value; a value beyond the lines shows no line and stays as it is.
    template <typename Field>
    QComboBox* Choice(QComboBox* box, Field field) {
        mLoaders.push_back([box, field](Record& r) { box->setCurrentIndex(int(std::invoke(field, r))); });
        QObject::connect(box, &QComboBox::currentIndexChanged, box, [this, field](int index) {
            if (index >= 0) store([&](Record& r) { assign(std::invoke(field, r), index); });
        });
        return box;
    }

    // Radio buttons whose IDs in the group are the values; a value without a button checks none.
    template <typename Field>
    QButtonGroup* Radio(QButtonGroup* group, Field field) {
        mLoaders.push_back([group, field](Record& r) {
            QAbstractButton* button = group->button(int(std::invoke(field, r)));
            if (button) {
                button->setChecked(true);
            } else if (group->checkedButton()) {
                group->setExclusive(false);
                group->checkedButton()->setChecked(false);
                group->setExclusive(true);
            }
        });
        QObject::connect(group, &QButtonGroup::idToggled, group, [this, field](int id, bool checked) {
            if (checked) store([&](Record& r) { assign(std::invoke(field, r), id); });
        });
        return group;
    }

    // The record ID of the chosen line is the value.
    template <typename Field>
    TRecordComboBox* RecordChoice(TRecordComboBox* box, Field field) {
        mLoaders.push_back([box, field](Record& r) { box->SetID(int(std::invoke(field, r))); });
        QObject::connect(box, &QComboBox::currentIndexChanged, box, [this, box, field](int index) {
            if (index >= 0) store([&](Record& r) { assign(std::invoke(field, r), box->ID()); });
        });
        return box;
    }

    template <typename Field>
    QLineEdit* Text(QLineEdit* edit, Field field) {
        mLoaders.push_back([edit, field](Record& r) {
            edit->setText(QString::fromStdString(std::invoke(field, r)));
            // A long text shows its beginning.
            edit->setCursorPosition(0);
        });
        QObject::connect(edit, &QLineEdit::textChanged, edit, [this, field](const QString& text) {
            store([&](Record& r) { std::invoke(field, r) = text.toStdString(); });
        });
        return edit;
    }

    // A value chosen in a dialog: text shows it, choose runs the dialog on the record and tells
    // whether it changed.
    TChooserBox* Chooser(TChooserBox* box, std::function<QString(Record&)> text,
                         std::function<bool(Record&)> choose) {
        mLoaders.push_back([box, text](Record& r) { box->SetText(text(r)); });
        QObject::connect(box, &TChooserBox::chooseRequested, box, [this, box, text, choose] {
            Record* record = mCurrent();
            if (mPage.Loading() || !record || !choose(*record)) return;
            box->SetText(text(*record));
            mPage.Modified();
        });
        return box;
    }

    // A switch chosen in "Select Switch" (renaming switches there counts as a change too).
    template <typename Field>
    TChooserBox* SwitchChoice(TChooserBox* box, TQelSwitch& switches, Field field) {
        return Chooser(
            box,
            [&switches, field](Record& r) { return Choose::SwitchText(switches, std::invoke(field, r)); },
            [box, &switches, field](Record& r) {
                bool renamed = false;
                int32_t id = std::invoke(field, r);
                const bool chosen = Choose::Switch(box->window(), switches, id, renamed);
                if (chosen) std::invoke(field, r) = id;
                return chosen || renamed;
            });
    }

    // A per-record table of flags: get(record, id) and set(record, id, on).
    TRecordFlagList* Flags(TRecordFlagList* list, std::function<bool(Record&, int)> get,
                           std::function<void(Record&, int, bool)> set) {
        mLoaders.push_back([list, get](Record& r) {
            for (int id = 1; id <= list->count(); ++id)
                list->SetFlag(id, get(r, id));
        });
        QObject::connect(list, &TRecordFlagList::flagChanged, list,
                         [this, set](int id, bool on) { store([&](Record& r) { set(r, id, on); }); });
        return list;
    }

    // A per-record table of ranks: get(record, id) and set(record, id, rank).
    TRecordRankTable* Ranks(TRecordRankTable* table, std::function<int(Record&, int)> get,
                            std::function<void(Record&, int, int)> set) {
        mLoaders.push_back([table, get](Record& r) {
            for (int id = 1; id <= table->rowCount(); ++id)
                table->SetRank(id, get(r, id));
        });
        QObject::connect(table, &TRecordRankTable::rankChanged, table,
                         [this, set](int id, int rank) { store([&](Record& r) { set(r, id, rank); }); });
        return table;
    }

private:
    template <typename T, typename V>
    static void assign(T& target, V value) {
        target = static_cast<std::remove_reference_t<T>>(value);
    }

    template <typename Change>
    void store(Change change) {
        Record* record = mCurrent();
        if (mPage.Loading() || !record) return;
        change(*record);
        mPage.Modified();
    }

    TFormDataBaseBase& mPage;
    std::function<Record*()> mCurrent;
    std::vector<std::function<void(Record&)>> mLoaders;
};

// Radio buttons with the captions, numbered 0.. in their group, added to the layout.
QButtonGroup* MakeRadioGroup(QWidget* parent, QLayout* layout, const QStringList& captions);
// A combo box of fixed choices.
QComboBox* MakeChoiceBox(QWidget* parent, const QStringList& captions);

// Wraps a page's editor in a scroll area, so that a small screen scrolls it instead of cutting
// it off. Returns the widget to build the editor in.
QWidget* MakeScrolledEditor(QWidget* area);

} // namespace tarvel
