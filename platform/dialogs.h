// Modal message boxes.
#pragma once

#include <string>

#include "platform/run_time_error.h"

namespace brask {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal box with the prompt, the title and one OK button, no icon.
  virtual void messageBox(const std::wstring& prompt, const std::wstring& title) = 0;
  // The run-time error box: runTimeErrorText(error) under the title kProgramTitle.
  virtual void runTimeErrorBox(const RunTimeError& error) = 0;
};

}  // namespace brask
