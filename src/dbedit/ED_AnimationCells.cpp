#include "ED_AnimationCells.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "ED_Widgets.h"

namespace tarvel {

namespace {

const char* const ColorCaptions[4] = {"Red", "Green", "Blue", "Chroma"};

QSpinBox* spin(QWidget* parent, int minimum, int maximum, const QString& suffix = {}) {
    auto* box = new QSpinBox(parent);
    box->setRange(minimum, maximum);
    box->setSuffix(suffix);
    return box;
}

// A bar from dark to light in the tint of the four colour percentages: what a grey picture looks
// like with them.
class TColorSample : public QWidget {
public:
    explicit TColorSample(TSliderSpin* const* color, QWidget* parent) : QWidget(parent), mColor(color) {
        setMinimumSize(160, 16);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const int w = std::max(1, width());
        const int chroma = mColor[3]->Value();
        for (int x = 0; x < w; ++x) {
            const int grey = 255 * x / std::max(1, w - 1);
            // A grey has no colour for the saturation to change; the tint is what shows.
            int c[3];
            for (int i = 0; i < 3; ++i) {
                const int p = mColor[i]->Value();
                c[i] = p > 100 ? grey + (p - 100) * (255 - grey) / 100 : p * grey / 100;
            }
            const int lum = (c[0] + c[1] + c[2]) / 3;
            for (int& channel : c)
                channel = std::clamp(lum + (channel - lum) * chroma / 100, 0, 255);
            painter.setPen(QColor(c[0], c[1], c[2]));
            painter.drawLine(x, 0, x, height() - 1);
        }
    }

private:
    TSliderSpin* const* mColor;
};

} // namespace

// ---- "Cells Field Creation" ----

TFormAnimationCell::TFormAnimationCell(QWidget* parent) : QDialog(parent) {
    setObjectName("FormAnimationCell");
    setWindowTitle("Cells Field Creation");
    mPattern = spin(this, 1, AnimationPatternMax);
    mX = spin(this, -AnimationCellReach, AnimationCellReach);
    mY = spin(this, -AnimationCellReach, AnimationCellReach);
    mZoom = spin(this, 1, AnimationZoomMax, " %");
    mTransparency = spin(this, 0, 100, " %");
    auto* form = new QFormLayout;
    form->addRow("Pattern Number", mPattern);
    form->addRow("X", mX);
    form->addRow("Y", mY);
    form->addRow("Magnification", mZoom);
    for (int i = 0; i < 4; ++i) {
        mColor[i] = new TSliderSpin(0, AnimationColorMax, this);
        form->addRow(ColorCaptions[i], mColor[i]);
    }
    form->addRow("Transparency", mTransparency);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancelButtons(this));
}

void TFormAnimationCell::SetCell(const TQelAnimationCellItem& cell) {
    mPattern->setValue(cell.Pattern + 1);
    mX->setValue(cell.X);
    mY->setValue(cell.Y);
    mZoom->setValue(cell.Zoom);
    mColor[0]->SetValue(cell.Red);
    mColor[1]->SetValue(cell.Green);
    mColor[2]->SetValue(cell.Blue);
    mColor[3]->SetValue(cell.Chroma);
    mTransparency->setValue(cell.Transparency);
}

void TFormAnimationCell::GetCell(TQelAnimationCellItem& cell) const {
    cell.Visible = true;
    cell.Pattern = mPattern->value() - 1;
    cell.X = mX->value();
    cell.Y = mY->value();
    cell.Zoom = mZoom->value();
    cell.Red = mColor[0]->Value();
    cell.Green = mColor[1]->Value();
    cell.Blue = mColor[2]->Value();
    cell.Chroma = mColor[3]->Value();
    cell.Transparency = mTransparency->value();
}

// ---- "Establition Cells All Together" ----

TProcessOption<TBatchCellSettings>& RememberedBatchCells() {
    static TProcessOption<TBatchCellSettings> memory(TBatchCellSettings{});
    return memory;
}

TFormAnimationCellsAll::TFormAnimationCellsAll(QWidget* parent, int frameCount)
    : QDialog(parent), mFrames(new QListWidget(this)) {
    setObjectName("FormAnimationCellsAll");
    setWindowTitle("Establition Cells All Together");
    const TBatchCellSettings& s = RememberedBatchCells().Value();

    mFrames->setObjectName("ListFrames");
    for (int f = 1; f <= frameCount; ++f) {
        auto* item = new QListWidgetItem(QString::asprintf(" < %.3d >", f), mFrames);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        const bool marked = std::find(s.frames.begin(), s.frames.end(), f) != s.frames.end();
        item->setCheckState(marked ? Qt::Checked : Qt::Unchecked);
    }
    mFrames->setMinimumWidth(110);

    auto* cells = new QGroupBox("Cells", this);
    auto* cellLayout = new QGridLayout(cells);
    for (int c = 0; c < AnimationMaxCells; ++c) {
        mCells[c] = new QCheckBox(QString::number(c + 1), cells);
        mCells[c]->setChecked(s.cells[c]);
        cellLayout->addWidget(mCells[c], c / 4, c % 4);
    }

    auto* settings = new QGroupBox("Settings", this);
    auto* grid = new QGridLayout(settings);
    mSetPattern = new QCheckBox("Pattern Number", settings);
    mSetZoom = new QCheckBox("Magnification", settings);
    mSetTransparency = new QCheckBox("Transparency", settings);
    mSetColor = new QCheckBox("Color", settings);
    mPattern = spin(settings, 1, AnimationPatternMax);
    mZoom = spin(settings, 1, AnimationZoomMax, " %");
    mTransparency = spin(settings, 0, 100, " %");
    grid->addWidget(mSetPattern, 0, 0);
    grid->addWidget(mPattern, 0, 1);
    grid->addWidget(mSetZoom, 1, 0);
    grid->addWidget(mZoom, 1, 1);
    grid->addWidget(mSetTransparency, 2, 0);
    grid->addWidget(mTransparency, 2, 1);
    grid->addWidget(mSetColor, 3, 0);
    auto* colors = new QFormLayout;
    for (int i = 0; i < 4; ++i) {
        mColor[i] = new TSliderSpin(0, AnimationColorMax, settings);
        mColor[i]->SetValue(i == 0 ? s.red : i == 1 ? s.green : i == 2 ? s.blue : s.chroma);
        colors->addRow(ColorCaptions[i], mColor[i]);
    }
    mSample = new TColorSample(mColor, settings);
    colors->addRow("", mSample);
    grid->addLayout(colors, 4, 0, 1, 2);
    for (TSliderSpin* c : mColor)
        connect(c, &TSliderSpin::valueChanged, mSample, qOverload<>(&QWidget::update));

    mSetPattern->setChecked(s.setPattern);
    mSetZoom->setChecked(s.setZoom);
    mSetTransparency->setChecked(s.setTransparency);
    mSetColor->setChecked(s.setColor);
    mPattern->setValue(s.pattern + 1);
    mZoom->setValue(s.zoom);
    mTransparency->setValue(s.transparency);

    auto* right = new QVBoxLayout;
    right->addWidget(cells);
    right->addWidget(settings);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(mFrames);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(MakeOkCancelButtons(this));
}

TBatchCellSettings TFormAnimationCellsAll::Settings() const {
    TBatchCellSettings s;
    for (int row = 0; row < mFrames->count(); ++row)
        if (mFrames->item(row)->checkState() == Qt::Checked) s.frames.push_back(row + 1);
    for (int c = 0; c < AnimationMaxCells; ++c)
        s.cells[c] = mCells[c]->isChecked();
    s.setPattern = mSetPattern->isChecked();
    s.pattern = mPattern->value() - 1;
    s.setZoom = mSetZoom->isChecked();
    s.zoom = mZoom->value();
    s.setTransparency = mSetTransparency->isChecked();
    s.transparency = mTransparency->value();
    s.setColor = mSetColor->isChecked();
    s.red = mColor[0]->Value();
    s.green = mColor[1]->Value();
    s.blue = mColor[2]->Value();
    s.chroma = mColor[3]->Value();
    return s;
}

void TFormAnimationCellsAll::done(int result) {
    if (result == QDialog::Accepted) RememberedBatchCells().Set(Settings());
    QDialog::done(result);
}

} // namespace tarvel
