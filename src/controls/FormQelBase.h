#pragma once

#include <QDialog>

namespace tarvel {

// The base of the editor's dialogs: F1 clicks the dialog's help button (the child named
// "ButtonHelp") when it has one and it is enabled.
class TFormQelBase : public QDialog {
    Q_OBJECT
public:
    explicit TFormQelBase(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tarvel
