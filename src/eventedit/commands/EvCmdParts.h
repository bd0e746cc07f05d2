#pragma once

// Controls that the place, screen, picture, sound, map-setting and battle dialogs share beyond
// the family's common parameter controls: a slider with its number, a row of colour sliders, a
// position given directly or by two variables, and small helpers for word lists and spin boxes.

#include <QGroupBox>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <vector>

class QComboBox;
class QDialog;
class QRadioButton;
class QVBoxLayout;
class QSlider;
class QSpinBox;

namespace tarvel {

class TSwitchVariableBox;

// A drop-down of fixed words; the stored value is the row.
QComboBox* WordCombo(const QStringList& words, QWidget* parent, const char* name);
// Selects a word by its row; a stored value outside the list selects the first word.
void SetWord(QComboBox* combo, int row);
QSpinBox* RangeSpin(int minimum, int maximum, QWidget* parent, const char* name);
// The last row of the small dialogs a command dialog opens: "&Ok" (the default, accepts) and
// "Cancel" at the right; the dialog keeps the size its controls need.
void AddOkCancel(QDialog* dialog, QVBoxLayout* layout);

// A slider with the number it stands at beside it; either can be changed.
class TValueSlider : public QWidget {
    Q_OBJECT
public:
    TValueSlider(int minimum, int maximum, QWidget* parent = nullptr);
    int Value() const;
    // A value outside the range is brought into it.
    void SetValue(int value);
    QSlider* Slider() const { return mSlider; }
    QSpinBox* Spin() const { return mSpin; }

signals:
    void valueChanged(int value);

private:
    QSlider* mSlider;
    QSpinBox* mSpin;
};

// Labelled sliders of one range in a group: the red, green, blue and saturation of a tone
// (0..200 per cent) or the red, green, blue and strength of a flash (0..31). The sliders are
// named "Slider" followed by their position.
class TColourSliders : public QGroupBox {
    Q_OBJECT
public:
    TColourSliders(const QString& title, const QStringList& labels, int minimum, int maximum,
                   QWidget* parent = nullptr);
    int Count() const { return int(mSliders.size()); }
    int Value(int index) const { return mSliders.at(size_t(index))->Value(); }
    std::vector<int32_t> Values() const;
    // Takes as many values as there are sliders; missing ones keep their slider.
    void SetValues(const std::vector<int32_t>& values);
    TValueSlider* Slider(int index) const { return mSliders.at(size_t(index)); }

private:
    std::vector<TValueSlider*> mSliders;
};

// A position given directly (X and Y in their ranges) or by two variables that hold it; each mode
// keeps its values while the other is shown.
struct TPosition {
    int32_t Mode = 0;
    int32_t X = 0;
    int32_t Y = 0;
    int32_t VariableX = 1;
    int32_t VariableY = 1;
    // The two stored parameters after the mode.
    int32_t StoredX() const { return Mode == 1 ? VariableX : X; }
    int32_t StoredY() const { return Mode == 1 ? VariableY : Y; }
    void Load(int32_t mode, int32_t x, int32_t y);
};

class TPositionEdit : public QGroupBox {
    Q_OBJECT
public:
    TPositionEdit(const QString& title, int maxX, int maxY, int minX = 0, int minY = 0,
                  QWidget* parent = nullptr);
    TPosition Value() const;
    void SetValue(const TPosition& value);

signals:
    void changed();

private:
    void enableByMode();
    QRadioButton* mRadioFixed;
    QRadioButton* mRadioVariable;
    QSpinBox* mX;
    QSpinBox* mY;
    TSwitchVariableBox* mVariableX;
    TSwitchVariableBox* mVariableY;
};

} // namespace tarvel
