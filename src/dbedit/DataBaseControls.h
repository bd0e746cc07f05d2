#pragma once

// The controls the database pages share: a record chosen from another section by ID, a picker
// field of a page's own (the switch, variable and material fields are the command dialogs'),
// per-record flag and rank tables, and the binder that ties each control to one field of the
// page's current record.

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
#include "eventedit/commands/EvCmdWidgets.h"

class QToolButton;

namespace tarvel {

class TCatalog;

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

// A field that opens a picker of the page's own (a monster's picture with its hue, the system
// graphic with its wallpaper and font): the text shows the value, the pick function runs the
// picker and tells whether the user chose. The switch, variable and material boxes of the
// command dialogs serve the common kinds.
class TActionPickerBox : public TPickerBox {
    Q_OBJECT
public:
    explicit TActionPickerBox(QWidget* parent = nullptr) : TPickerBox(parent) {}
    void SetText(const QString& text) { showText(text); }
    // Set by the binder.
    std::function<void()> OnRefresh;
    std::function<bool()> OnPick;
    void Refresh() override {
        if (OnRefresh) OnRefresh();
    }
    void Pick() override {
        if (OnPick && OnPick()) emit changed();
        Refresh();
    }
};

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

    // A field with a picker of the page's own: text shows the value, choose runs the picker on
    // the record and tells whether it changed.
    TActionPickerBox* Picker(TActionPickerBox* box, std::function<QString(Record&)> text,
                             std::function<bool(Record&)> choose) {
        box->OnRefresh = [this, box, text] {
            if (Record* record = mCurrent()) box->SetText(text(*record));
        };
        box->OnPick = [this, choose] {
            Record* record = mCurrent();
            return !mPage.Loading() && record && choose(*record);
        };
        mLoaders.push_back([box](Record&) { box->Refresh(); });
        QObject::connect(box, &TPickerBox::changed, box, [this] {
            if (!mPage.Loading() && mCurrent()) mPage.Modified();
        });
        return box;
    }

    // A switch or variable ID. Renaming switches or variables in the picker is a change too.
    template <typename Field>
    TSwitchVariableBox* Switch(TSwitchVariableBox* box, Field field) {
        mLoaders.push_back([box, field](Record& r) { box->SetValue(std::invoke(field, r)); });
        QObject::connect(box, &TPickerBox::changed, box, [this, box, field] {
            store([&](Record& r) { std::invoke(field, r) = box->Value(); });
        });
        QObject::connect(box, &TPickerBox::dataBaseChanged, box, [this] {
            if (!mPage.Loading()) mPage.Modified();
        });
        return box;
    }

    // A piece of material: load puts the record's value into the box, save takes it back.
    TMaterialBox* Material(TMaterialBox* box, std::function<void(Record&, TMaterialBox&)> load,
                           std::function<void(Record&, const TMaterialBox&)> save) {
        mLoaders.push_back([box, load](Record& r) { load(r, *box); });
        QObject::connect(box, &TPickerBox::changed, box,
                         [this, box, save] { store([&](Record& r) { save(r, *box); }); });
        return box;
    }
    // A picture of a whole-image kind named by a text field.
    template <typename Field>
    TMaterialBox* MaterialName(TMaterialBox* box, Field field) {
        return Material(
            box, [field](Record& r, TMaterialBox& b) { b.SetFileName(std::invoke(field, r)); },
            [field](Record& r, const TMaterialBox& b) { std::invoke(field, r) = b.FileName(); });
    }
    template <typename Field>
    TMaterialBox* Music(TMaterialBox* box, Field field) {
        return Material(
            box, [field](Record& r, TMaterialBox& b) { b.SetMusic(std::invoke(field, r)); },
            [field](Record& r, const TMaterialBox& b) { std::invoke(field, r).Assign(b.Music()); });
    }
    template <typename Field>
    TMaterialBox* Sound(TMaterialBox* box, Field field) {
        return Material(
            box, [field](Record& r, TMaterialBox& b) { b.SetSound(std::invoke(field, r)); },
            [field](Record& r, const TMaterialBox& b) { std::invoke(field, r).Assign(b.Sound()); });
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

    // The per-record tables that records of several kinds share by name (Condition and
    // SetCondition with ConditionCount, and so on): ticking or ranking an entry beyond the table
    // grows it to that entry first.
    TRecordFlagList* ConditionFlags(TRecordFlagList* list) {
        return Flags(
            list, [](Record& r, int id) { return r.Condition(id); },
            [](Record& r, int id, bool on) {
                if (id > r.ConditionCount) r.SetConditionCount(id);
                r.SetCondition(id, on);
            });
    }
    TRecordFlagList* AttributeFlags(TRecordFlagList* list) {
        return Flags(
            list, [](Record& r, int id) { return r.Attribute(id); },
            [](Record& r, int id, bool on) {
                if (id > r.AttributeCount) r.SetAttributeCount(id);
                r.SetAttribute(id, on);
            });
    }
    TRecordRankTable* ConditionRanks(TRecordRankTable* table) {
        return Ranks(
            table, [](Record& r, int id) { return r.ConditionRate(id); },
            [](Record& r, int id, int rank) {
                if (id > r.ConditionCount) r.SetConditionCount(id);
                r.SetConditionRate(id, rank);
            });
    }
    TRecordRankTable* AttributeRanks(TRecordRankTable* table) {
        return Ranks(
            table, [](Record& r, int id) { return r.AttributeRate(id); },
            [](Record& r, int id, int rank) {
                if (id > r.AttributeCount) r.SetAttributeCount(id);
                r.SetAttributeRate(id, rank);
            });
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
// A spin box that shows its value as a percentage.
QSpinBox* Percent(QSpinBox* box);
// A combo box of fixed choices.
QComboBox* MakeChoiceBox(QWidget* parent, const QStringList& captions);

// Wraps a page's editor in a scroll area, so that a small screen scrolls it instead of cutting
// it off. Returns the widget to build the editor in.
QWidget* MakeScrolledEditor(QWidget* area);

} // namespace tarvel
