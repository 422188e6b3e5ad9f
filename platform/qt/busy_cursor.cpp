#include "platform/qt/busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace brask {

BusyCursor::BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

BusyCursor::~BusyCursor() { showOwnCursors(); }

void showOwnCursors() {
  while (QGuiApplication::overrideCursor() != nullptr) QGuiApplication::restoreOverrideCursor();
}

}  // namespace brask
