#include "SelMonster.h"

#include <QColor>
#include <QImage>
#include <QPixmap>

#include "ui_SelMonster.h"

namespace tarvel {

namespace {

// The strip beside the slider: twice the box's width of hues, running so that the hue under the
// box's middle mark is the one a pure red of the picture is turned into.
QPixmap hueStrip(int width, int height) {
    QImage strip(width, height, QImage::Format_RGB32);
    for (int x = 0; x < width; ++x) {
        int hue = ((720 - x * 5 / 3) % 360 + 360) % 360;
        QRgb colour = QColor::fromHsv(hue, 255, 255).rgb();
        for (int y = 0; y < height; ++y)
            strip.setPixel(x, y, colour);
    }
    return QPixmap::fromImage(strip);
}

} // namespace

TFormSelMonster::TFormSelMonster(QWidget* parent)
    : TFormSelImageBase(parent, "Monster", QSize()), ui(std::make_unique<Ui::TFormSelMonster>()) {
    ui->setupUi(this);
    AttachList(ui->DataList);
    AttachPreview(ui->PaintBox, QSize(320, 240));
    ui->ImageHue->setPixmap(hueStrip(2 * HueBoxWidth, ui->HueBox->height()));
    ui->HueMark->raise();
    placeStrip(ui->TrackHue->value());
    connect(ui->TrackHue, &QSlider::valueChanged, this, &TFormSelMonster::TrackHueChange);
    connect(ui->ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFormSelMonster::~TFormSelMonster() = default;

void TFormSelMonster::SetHue(int degrees) {
    mHue = (degrees % 360 + 360) % 360;
}

void TFormSelMonster::showEvent(QShowEvent* event) {
    // Building the list selects the picture, which starts it unshifted; the shift the caller
    // gave is put back afterwards. The slider only shows the nearest step below it, so a shift
    // between two steps stays as it is until the slider is moved.
    int hue = mHue;
    TFormSelImageBase::showEvent(event);
    mHue = hue;
    int position = PositionOfHue(hue);
    {
        QSignalBlocker block(ui->TrackHue);
        ui->TrackHue->setValue(position);
    }
    placeStrip(position);
    applyHue();
    RepaintPreview();
}

void TFormSelMonster::LoadSheet() {
    TFormSelImageBase::LoadSheet();
    mUnshifted = Sheet().Palette();
}

void TFormSelMonster::NameChosen() {
    LoadSheet();
    // Another picture starts unshifted.
    mHue = 0;
    {
        QSignalBlocker block(ui->TrackHue);
        ui->TrackHue->setValue(HueSteps / 2);
    }
    placeStrip(HueSteps / 2);
    applyHue();
    RepaintPreview();
}

void TFormSelMonster::TrackHueChange(int position) {
    mHue = HueOfPosition(position);
    placeStrip(position);
    applyHue();
    RepaintPreview();
}

void TFormSelMonster::applyHue() {
    // Always from the picture's own palette, so shifts never pile up.
    Sheet().Palette() = mUnshifted;
    Sheet().UpdateColorTable();
    Sheet().RotateHue(mHue);
}

void TFormSelMonster::placeStrip(int position) {
    ui->ImageHue->move(HueStripLeft(position), 0);
}

void TFormSelMonster::ComposePreview(TPrismBoard& board) {
    TPrismSheet& sheet = Sheet();
    const TPaletteEntry& key = sheet.Palette()[0];
    FillRect(board, TRect{0, 0, board.Width(), board.Height()}, TRGB{key.red, key.green, key.blue});
    bool wasTransparent = sheet.Transparent();
    sheet.SetTransparent(true);
    DrawFitted(board, TRect{0, 0, board.Width(), board.Height()}, sheet);
    sheet.SetTransparent(wasTransparent);
}

} // namespace tarvel
