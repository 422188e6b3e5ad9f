#include "platform/win32/window/busy_cursor.h"

namespace brask {

BusyCursor::BusyCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}

BusyCursor::~BusyCursor() { SetCursor(previous_); }

void showArrowCursor() { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }

}  // namespace brask
