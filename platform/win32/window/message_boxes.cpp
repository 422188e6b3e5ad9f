#include "platform/win32/window/message_boxes.h"

#include "platform/win32/window/busy_cursor.h"

namespace brask {

void MessageBoxes::messageBox(const std::wstring& prompt, const std::wstring& title) {
  showArrowCursor();
  MessageBoxW(owner_, prompt.c_str(), title.c_str(), MB_OK);
}

void MessageBoxes::runTimeErrorBox(const RunTimeError& error) {
  showArrowCursor();
  MessageBoxW(owner_, runTimeErrorText(error).c_str(), kProgramTitle, MB_OK);
}

}  // namespace brask
