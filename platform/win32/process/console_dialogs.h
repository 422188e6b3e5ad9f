// The message boxes of a run without a window: each message written to standard error as
// one line, "TITLE: PROMPT", and the run-time error as "BRASK: Run-time error '75': ...".
// Nobody is there to close a box; the exit code says how the run went.
#pragma once

#include "platform/dialogs.h"

namespace brask {

class ConsoleDialogs final : public Dialogs {
 public:
  void messageBox(const std::wstring& prompt, const std::wstring& title) override;
  void runTimeErrorBox(const RunTimeError& error) override;
};

}  // namespace brask
