// The program's modal message boxes, owned by the main window. Each shows the arrow
// cursor, also when a run has shown the wait cursor.
#pragma once

#include <windows.h>

#include "platform/dialogs.h"

namespace brask {

class MessageBoxes final : public Dialogs {
 public:
  void setOwner(HWND owner) { owner_ = owner; }
  // MessageBoxW with MB_OK and no icon.
  void messageBox(const std::wstring& prompt, const std::wstring& title) override;
  // The run-time error text under the program's title, MB_OK, no icon either.
  void runTimeErrorBox(const RunTimeError& error) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace brask
