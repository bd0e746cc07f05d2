#pragma once

#include <QImage>
#include <QWidget>

#include "GameProject.h"
#include "RuntimeWords.h"
#include "Screens.h"

namespace tarvel::runtime {

// The battle test's window: 640 x 480 (or full screen), showing the monster group on its backdrop
// with the test party. Battles are not played yet, and its title says so. Esc or closing the
// window ends it.
class TViewerWindow : public QWidget {
public:
    TViewerWindow(const RuntimeWords& words, TGameProject& project, QWidget* parent = nullptr);
    ~TViewerWindow() override;

    // The picture the window shows, at 640 x 480.
    QImage Frame() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    RuntimeWords mWords;
    TGameProject& mProject;
    TBattleScreen mBattle;
    bool mReady = false; // the group loaded; otherwise its problem is shown
};

} // namespace tarvel::runtime
