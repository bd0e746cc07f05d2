#include "MessageBoxes.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QStringList>
#include <cstdio>

namespace tarvel {

namespace {
QMessageBox::StandardButton gHeadlessAnswer = QMessageBox::NoButton;
QStringList gShown;

bool isHeadless() {
    QString platform = QGuiApplication::platformName();
    return platform == "offscreen" || platform == "minimal";
}

QMessageBox::StandardButton defaultAnswer(QMessageBox::StandardButtons buttons) {
    for (auto b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
        if (buttons & b) return b;
    return QMessageBox::NoButton;
}
} // namespace

QString ApplicationTitle() { return QStringLiteral("Tarvel"); }

QMessageBox::StandardButton AskBox(const QString& text, QMessageBox::StandardButtons buttons,
                                   QMessageBox::Icon icon, QWidget* owner) {
    gShown << text;
    if (isHeadless()) {
        std::fprintf(stderr, "Tarvel: %s\n", text.toUtf8().constData());
        if (gHeadlessAnswer != QMessageBox::NoButton && (buttons & gHeadlessAnswer)) return gHeadlessAnswer;
        return defaultAnswer(buttons);
    }
    QPointer<QWidget> previouslyActive = QApplication::activeWindow();
    QMessageBox box(icon, ApplicationTitle(), text, buttons, owner);
    if (owner) box.setWindowModality(Qt::ApplicationModal);
    auto result = static_cast<QMessageBox::StandardButton>(box.exec());
    if (owner && previouslyActive) previouslyActive->activateWindow();
    return result;
}

void ShowError(const QString& text, QWidget* owner) {
    AskBox(text, QMessageBox::Ok, QMessageBox::Critical, owner);
}

void ShowInfo(const QString& text, QWidget* owner) {
    AskBox(text, QMessageBox::Ok, QMessageBox::Information, owner);
}

bool AskYesNo(const QString& text, QWidget* owner) {
    return AskBox(text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, owner) == QMessageBox::Yes;
}

void SetHeadlessAnswer(QMessageBox::StandardButton answer) { gHeadlessAnswer = answer; }
const QStringList& ShownMessages() { return gShown; }
void ClearShownMessages() { gShown.clear(); }

} // namespace tarvel
