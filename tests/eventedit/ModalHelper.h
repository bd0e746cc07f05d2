#pragma once

// Acting on a modal dialog from inside its exec(): the action runs once the event loop of the
// dialog turns, on the dialog that is then modal. A dialog of another kind is a test failure and
// is closed, so a test never hangs on it.

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace tarvel::test {

template <typename T>
void OnNextModal(std::function<void(T&)> action) {
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        T* dialog = qobject_cast<T*>(modal);
        if (!dialog) {
            ADD_FAILURE() << "another modal window than expected: "
                          << (modal ? modal->metaObject()->className() : "none");
            if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
            return;
        }
        action(*dialog);
    });
}

} // namespace tarvel::test
