#include "FormQelBase.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace tarvel {

TFormQelBase::TFormQelBase(QWidget* parent) : QDialog(parent) {}

void TFormQelBase::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        auto* help = findChild<QAbstractButton*>("ButtonHelp");
        if (help && help->isEnabled() && help->isVisible()) {
            help->click();
            event->accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

} // namespace tarvel
