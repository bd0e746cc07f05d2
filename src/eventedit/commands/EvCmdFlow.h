#pragma once

// Flow of a script: "Create Label", "Choose Label to Jump" and "Call Event".

#include "EvCmdBase.h"

class QRadioButton;
class QSpinBox;

namespace tarvel {

class TCharacterCombo;
class TRecordCombo;
class TSwitchVariableBox;

// "Create Label" and "Choose Label to Jump": a label number 1..100.
class TLabelForm : public TFormEvCmdBase {
    Q_OBJECT
protected:
    TLabelForm(QWidget* owner, int32_t code, const QString& caption);
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    QSpinBox* mLabel;
};

class TFormEvCmd12110 : public TLabelForm {
    Q_OBJECT
public:
    explicit TFormEvCmd12110(QWidget* owner) : TLabelForm(owner, 12110, "Create Label") {}
};

class TFormEvCmd12120 : public TLabelForm {
    Q_OBJECT
public:
    explicit TFormEvCmd12120(QWidget* owner) : TLabelForm(owner, 12120, "Choose Label to Jump") {}
};

// "Call Event": a common event; an event of the map ("this Event" first; an event that is not on
// the map shows as "this Event") and one of its pages, limited to the pages it has (the edited
// copy's for the edited event and "this Event", 1 without an edited event); or the event and page
// numbers held in two variables.
class TFormEvCmd12330 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd12330(QWidget* owner);
    // The number of pages of the event the list stands at.
    int PageCount() const;

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    void enableByMode();
    QRadioButton* mModes[3];
    TRecordCombo* mCommonEvent;
    TCharacterCombo* mEvent;
    QSpinBox* mPage;
    TSwitchVariableBox* mEventVariable;
    TSwitchVariableBox* mPageVariable;
};

} // namespace tarvel
