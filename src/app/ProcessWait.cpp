#include "ProcessWait.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QVBoxLayout>

namespace tarvel {

TFormProcessWait::TFormProcessWait(QWidget* parent, const QString& caption, QProcess& process)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), mProcess(process) {
    setWindowTitle(caption);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* panel = new QLabel("Wait: Internal Execution", this);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    layout->addWidget(panel);
    setFixedSize(std::max(120, panel->sizeHint().width() + 16), 48);
    connect(&mTimer, &QTimer::timeout, this, &TFormProcessWait::poll);
    mTimer.start(PollMilliseconds);
}

void TFormProcessWait::poll() {
    if (mProcess.state() != QProcess::NotRunning && !mProcess.waitForFinished(0)) return;
    mTimer.stop();
    mFinished = true;
    if (QWidget* owner = parentWidget()) {
        owner->window()->raise();
        owner->window()->activateWindow();
    }
    accept();
}

void TFormProcessWait::closeEvent(QCloseEvent* event) {
    if (mFinished)
        event->accept();
    else
        event->ignore();
}

void TFormProcessWait::keyPressEvent(QKeyEvent* event) {
    // Escape, Alt+F4 and the like do nothing while the game runs.
    event->accept();
}

} // namespace tarvel
