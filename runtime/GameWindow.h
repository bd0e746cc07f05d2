#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

#include "MissingMaterial.h"
#include "RuntimeWords.h"
#include "game/Game.h"
#include "game/GameRender.h"

namespace tarvel::runtime {

// The game's window: 640 x 480 (the 320 x 240 screen doubled) or the whole screen, the picture
// enlarged by the largest whole factor that fits. A timer steps the game sixty times a second;
// arrows walk, Enter, Space or Z decide, Esc or X cancel. Notices of scripts and of missing
// material show on the screen and go to standard error.
class TGameWindow : public QWidget {
public:
    TGameWindow(const RuntimeWords& words, game::TGameData& data, game::TGameSoundPort& sound,
                game::TSaveStore& saves, QWidget* parent = nullptr);
    ~TGameWindow() override;

    // Keys from a key file instead of the keyboard (for scripted screenshots).
    void SetKeyScript(std::vector<game::TKeyChange> changes);
    // One frame: the game stepped with the keys held, then drawn.
    void StepFrame();
    game::TGame& Game() { return mGame; }
    // The picture of the last frame, at the window's size of 640 x 480.
    QImage Frame() const;
    // The whole factor the screen is enlarged by in the window's present size.
    int Scale() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void tick();
    void setKey(int qtKey, bool down);
    void draw();

    RuntimeWords mWords;
    // Made before the game, which may look for material as it starts.
    TMissingMaterial mMaterials;
    game::TGame mGame;
    game::TGameRenderer mRenderer;
    game::TGameFrame mFrame;
    game::TKeyState mKeys;
    std::optional<game::TKeyScriptPlayer> mScript;
    QTimer mTimer;
    QElapsedTimer mClock;
    int64_t mFramesDone = 0;
    size_t mNoticesPrinted = 0;
};

// Writes the notices a game gave since the last call to standard error, one line each.
void PrintNewNotices(const game::TGame& game, size_t& printed);

} // namespace tarvel::runtime
