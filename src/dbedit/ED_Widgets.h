#pragma once

// Small controls the chipset and battle animation pages and their dialogs share.

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QWidget>
#include <functional>
#include <string>

#include "controls/DialogPlacement.h"
#include "eventedit/commands/EvCmdWidgets.h"

class QDialogButtonBox;
class QSlider;
class QSpinBox;

namespace tarvel {

// A value of a record in a field that opens the value's dialog when clicked: the picture of a
// chipset or of a battle animation (in its picker), the frame count of an animation.
class TFieldBox : public TPickerBox {
    Q_OBJECT
public:
    // pick shows the dialog with the value and, on OK, writes the chosen value back and says so.
    using TPick = std::function<bool(std::string& value)>;
    explicit TFieldBox(TPick pick, QWidget* parent = nullptr);

    // The value as shown; empty shows "(None)".
    const std::string& Value() const { return mValue; }
    void SetValue(const std::string& value);
    void Refresh() override;
    void Pick() override;

private:
    TPick mPick;
    std::string mValue;
};

// A slider and a number box that show one value and follow each other.
class TSliderSpin : public QWidget {
    Q_OBJECT
public:
    TSliderSpin(int minimum, int maximum, QWidget* parent = nullptr);
    int Value() const;
    void SetValue(int value);
    QSlider* Slider() const { return mSlider; }
    QSpinBox* Spin() const { return mSpin; }

signals:
    void valueChanged(int value);

private:
    QSlider* mSlider;
    QSpinBox* mSpin;
};

// Adds an entry named name to a menu that calls the receiver's slot.
template <typename Receiver>
QAction* AddMenuAction(QMenu* menu, Receiver* receiver, const QString& caption, const char* name,
                       void (Receiver::*slot)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, receiver, slot);
    return action;
}

// Shows a picture picker where the database pages place theirs, with the picture name chosen; on
// OK the name becomes the picture chosen there.
template <typename Picker>
bool PickPictureName(QWidget* owner, std::string& name) {
    Picker picker(owner->window());
    picker.SetFileName(QString::fromStdString(name));
    PlaceNearOwner(&picker, 212, 44);
    if (picker.exec() != QDialog::Accepted) return false;
    name = picker.FileName().toStdString();
    return true;
}

// "&Ok" (accepts) and "Cancel" (rejects) for a dialog, named ButtonOk and ButtonCancel.
QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog);

} // namespace tarvel
