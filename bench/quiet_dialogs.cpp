#include "bench/quiet_dialogs.h"

#include <iostream>

namespace brask::bench {

void QuietDialogs::messageBox(const std::wstring& prompt, const std::wstring& title) {
  shown_ = true;
  std::wcerr << title << L": " << prompt << std::endl;
}

void QuietDialogs::runTimeErrorBox(const RunTimeError& error) {
  shown_ = true;
  std::wcerr << runTimeErrorText(error) << std::endl;
}

}  // namespace brask::bench
