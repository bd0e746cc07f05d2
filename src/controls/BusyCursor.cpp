#include "BusyCursor.h"

#include <QApplication>

namespace tarvel {

TBusyCursor::TBusyCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}
TBusyCursor::~TBusyCursor() {
    QApplication::restoreOverrideCursor();
}

} // namespace tarvel
