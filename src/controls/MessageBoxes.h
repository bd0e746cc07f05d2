#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace tarvel {

// The application title every message box is captioned with.
QString ApplicationTitle();

// Error icon, OK.
void ShowError(const QString& text, QWidget* owner = nullptr);
// Information icon, OK.
void ShowInfo(const QString& text, QWidget* owner = nullptr);
// Question icon, Yes and No; true for Yes.
bool AskYesNo(const QString& text, QWidget* owner = nullptr);
// Any buttons and icon. With an owner the box is modal to it and the window that was active
// before is active again afterwards.
QMessageBox::StandardButton AskBox(const QString& text, QMessageBox::StandardButtons buttons,
                                   QMessageBox::Icon icon, QWidget* owner = nullptr);

// Message boxes of a run with no screen to show them on (offscreen and minimal platforms) are
// answered at once with this button instead of waiting forever, and their text goes to standard
// error. Tests set it to choose an answer; NoButton (the default) answers with the box's default.
void SetHeadlessAnswer(QMessageBox::StandardButton answer);
// The texts of the boxes shown so far in this run (newest last), for tests.
const QStringList& ShownMessages();
void ClearShownMessages();

} // namespace tarvel
