#pragma once

#include <QPixmap>
#include <QWidget>

namespace tarvel {

// The picture shown by the splash window and the About box (512 x 256), drawn by code.
QPixmap SplashPicture();

// The borderless, always-on-top splash window, centred on the screen, that closes itself after
// 2500 ms.
class TFormSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int ShowMilliseconds = 2500;
    explicit TFormSplash(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPixmap mPicture;
};

} // namespace tarvel
