#include "GameWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>
#include <cstdio>

#include "FrameImage.h"

namespace tarvel::runtime {

namespace {

// Frames the game may run behind real time before it lets the time go (a stalled machine).
constexpr int kMaxCatchUp = 4;

} // namespace

void PrintNewNotices(const game::TGame& game, size_t& printed) {
    const auto& notices = game.Notices();
    for (; printed < notices.size(); ++printed)
        std::fprintf(stderr, "QUORIN.exe: %s\n", notices[printed].c_str());
    std::fflush(stderr);
}

TGameWindow::TGameWindow(const RuntimeWords& words, game::TGameData& data, game::TGameSoundPort& sound,
                         game::TSaveStore& saves, QWidget* parent)
    : QWidget(parent), mWords(words), mGame(data, sound, saves) {
    const QString title = QString::fromStdString(data.Title());
    setWindowTitle(QStringLiteral("%1 - test play (battles end as you choose)")
                       .arg(title.isEmpty() ? QStringLiteral("Untitled") : title));
    resize(game::kGameScreenWidth * 2, game::kGameScreenHeight * 2);
    setMinimumSize(game::kGameScreenWidth, game::kGameScreenHeight);
    setFocusPolicy(Qt::StrongFocus);
    mGame.Start(words.showTitle);
    draw();
    connect(&mTimer, &QTimer::timeout, this, &TGameWindow::tick);
    mTimer.setTimerType(Qt::PreciseTimer);
    mTimer.start(5);
    mClock.start();
    if (words.quitAfterMs >= 0) QTimer::singleShot(words.quitAfterMs, this, &QWidget::close);
}

TGameWindow::~TGameWindow() = default;

void TGameWindow::SetKeyScript(std::vector<game::TKeyChange> changes) {
    mScript.emplace(std::move(changes));
}

void TGameWindow::tick() {
    const int64_t due = mClock.elapsed() * game::kFramesPerSecond / 1000;
    if (due - mFramesDone > kMaxCatchUp) mFramesDone = due - kMaxCatchUp;
    bool stepped = false;
    while (mFramesDone < due && !mGame.Ended()) {
        StepFrame();
        ++mFramesDone;
        stepped = true;
    }
    if (mGame.Ended()) close();
    if (stepped) update();
}

void TGameWindow::StepFrame() {
    const game::TKeyState keys = mScript ? mScript->KeysAt(mGame.Frame()) : mKeys;
    mGame.Step(keys);
    draw();
}

void TGameWindow::draw() {
    mRenderer.Draw(mGame, mFrame);
    for (const std::string& line : mMaterials.TakeNew())
        mGame.Notice(line);
    PrintNewNotices(mGame, mNoticesPrinted);
}

int TGameWindow::Scale() const {
    return std::max(1, std::min(width() / game::kGameScreenWidth, height() / game::kGameScreenHeight));
}

QImage TGameWindow::Frame() const {
    return FrameImage(mFrame, 2);
}

void TGameWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const QImage image = FrameImage(mFrame, Scale());
    p.drawImage(QPoint((width() - image.width()) / 2, (height() - image.height()) / 2), image);
}

void TGameWindow::setKey(int qtKey, bool down) {
    switch (qtKey) {
    case Qt::Key_Up:
        mKeys.Set(game::TGameKey::Up, down);
        break;
    case Qt::Key_Down:
        mKeys.Set(game::TGameKey::Down, down);
        break;
    case Qt::Key_Left:
        mKeys.Set(game::TGameKey::Left, down);
        break;
    case Qt::Key_Right:
        mKeys.Set(game::TGameKey::Right, down);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Z:
        mKeys.Set(game::TGameKey::Decide, down);
        break;
    case Qt::Key_Escape:
    case Qt::Key_X:
        mKeys.Set(game::TGameKey::Cancel, down);
        break;
    default:
        break;
    }
}

void TGameWindow::keyPressEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) setKey(event->key(), true);
    event->accept();
}

void TGameWindow::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) setKey(event->key(), false);
    event->accept();
}

void TGameWindow::focusOutEvent(QFocusEvent* event) {
    // Keys released while another window had the focus never reach this one.
    mKeys = game::TKeyState();
    QWidget::focusOutEvent(event);
}

void TGameWindow::closeEvent(QCloseEvent* event) {
    if (!mWords.grabFile.isEmpty()) Frame().save(mWords.grabFile, "PNG");
    mTimer.stop();
    event->accept();
}

} // namespace tarvel::runtime
