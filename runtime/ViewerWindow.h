#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "GameProject.h"
#include "RuntimeWords.h"
#include "Screens.h"

namespace tarvel::runtime {

// The runtime stand-in's one window: 640 x 480 (or full screen), showing the start of a test play
// (the title screen first when asked, then the party's start map) or a battle test's monster
// group. It is a viewer, not a game, and its title says so. Esc or closing the window ends it.
class TViewerWindow : public QWidget {
public:
    TViewerWindow(const RuntimeWords& words, TGameProject& project, QWidget* parent = nullptr);
    ~TViewerWindow() override;

    // The picture the window shows, at 640 x 480.
    QImage Frame() const;
    bool ShowsTitle() const { return mShowingTitle; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void leaveTitle();

    RuntimeWords mWords;
    TGameProject& mProject;
    TTitleScreen mTitle;
    TMapScreen mMap;
    TBattleScreen mBattle;
    bool mShowingTitle = false;
    bool mReady = false; // the screen to show loaded; otherwise its problem is shown
};

} // namespace tarvel::runtime
