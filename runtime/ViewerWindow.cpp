#include "ViewerWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

namespace tarvel::runtime {

namespace {

constexpr int kScale = 2;

void DrawText(QPainter& p, const TScreenText& t) {
    QFont font = p.font();
    font.setPixelSize(11 * kScale);
    p.setFont(font);
    const QPoint at(t.x * kScale, t.y * kScale + 11 * kScale);
    p.setPen(QColor(0, 0, 0, 200));
    p.drawText(at + QPoint(kScale, kScale), t.text);
    p.setPen(t.dim ? QColor(200, 200, 200) : QColor(255, 255, 255));
    p.drawText(at, t.text);
}

// A band of text over the top of the screen.
void DrawBand(QPainter& p, const QString& text) {
    QFont font = p.font();
    font.setPixelSize(9 * kScale);
    p.setFont(font);
    QRect band(0, 0, kScreenWidth * kScale, 14 * kScale);
    p.fillRect(band, QColor(0, 0, 0, 150));
    p.setPen(QColor(230, 230, 230));
    p.drawText(band.adjusted(6 * kScale, 0, -6 * kScale, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
}

} // namespace

TViewerWindow::TViewerWindow(const RuntimeWords& words, TGameProject& project, QWidget* parent)
    : QWidget(parent), mWords(words), mProject(project) {
    const QString game = project.Title().isEmpty() ? QStringLiteral("Untitled") : project.Title();
    setWindowTitle(
        QStringLiteral("%1 - battle test viewer, monster group %2 (a picture, not a playable battle)")
            .arg(game)
            .arg(words.monsterGroup));
    mReady = mBattle.Load(project, words.monsterGroup);
    setFixedSize(kScreenWidth * kScale, kScreenHeight * kScale);
    setFocusPolicy(Qt::StrongFocus);
    if (words.quitAfterMs >= 0) QTimer::singleShot(words.quitAfterMs, this, &QWidget::close);
}

TViewerWindow::~TViewerWindow() = default;

QImage TViewerWindow::Frame() const {
    auto* self = const_cast<TViewerWindow*>(this);
    TPrismBoard board;
    board.SetSize(kScreenWidth, kScreenHeight);
    board.Clear();
    std::vector<TScreenText> texts;
    QString band;
    if (!mReady) {
        int y = 90;
        for (const QString& line : mBattle.Problem().split('\n'))
            texts.push_back({16, y += 16, line});
        band = QStringLiteral("Battle test viewer. Esc ends.");
    } else {
        self->mBattle.Draw(board);
        texts = mBattle.Texts();
        band = QStringLiteral("Battle test viewer: %1 (group %2). Esc ends.")
                   .arg(mBattle.GroupName())
                   .arg(mWords.monsterGroup);
    }
    QImage screen(board.Bits(), board.Width(), board.Height(), board.RowStride(), QImage::Format_RGB16);
    QImage frame = screen
                       .scaled(kScreenWidth * kScale, kScreenHeight * kScale, Qt::IgnoreAspectRatio,
                               Qt::FastTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    QPainter p(&frame);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawBand(p, band);
    for (const TScreenText& t : texts)
        DrawText(p, t);
    return frame;
}

void TViewerWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const QImage frame = Frame();
    // Full screen keeps the picture's proportions, centred on black.
    QSize size = frame.size().scaled(this->size(), Qt::KeepAspectRatio);
    QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    p.drawImage(target, frame);
}

void TViewerWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TViewerWindow::closeEvent(QCloseEvent* event) {
    if (!mWords.grabFile.isEmpty()) grab().save(mWords.grabFile, "PNG");
    event->accept();
}

} // namespace tarvel::runtime
