#pragma once

#include <QDialog>
#include <QTimer>

class QProcess;

namespace tarvel {

// "Wait: Internal Execution": a small modal window that stays until the started process ends.
// It cannot be closed before that (Alt+F4 and the close box do nothing); it looks every 50 ms.
class TFormProcessWait : public QDialog {
    Q_OBJECT
public:
    static constexpr int PollMilliseconds = 50;
    TFormProcessWait(QWidget* parent, const QString& caption, QProcess& process);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void poll();
    QProcess& mProcess;
    QTimer mTimer;
    bool mFinished = false;
};

} // namespace tarvel
