#pragma once

#include <QFrame>

namespace tarvel {

// A sunken box that shows a value and opens a picker when clicked: the switch and variable boxes
// of the editors. A left click, Space or Enter report a click; it takes the focus like a button.
class TDashBox : public QFrame {
    Q_OBJECT
public:
    explicit TDashBox(QWidget* parent = nullptr);

    QString Text() const { return mText; }
    void SetText(const QString& text);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString mText;
};

} // namespace tarvel
