// The message boxes of a run without a window: each message written to standard error as
// one line, "TITLE: PROMPT", and the run-time error as "BRASK: Run-time error '2': ...", in
// the character set of the user's LC_CTYPE locale. Nobody is there to close a box; the exit
// code says how the run went. A closed standard error loses the text, not the run.
#pragma once

#include <string_view>

#include "platform/dialogs.h"
#include "platform/linux/locale/wide_encoder.h"

namespace brask {

class StderrDialogs final : public Dialogs {
 public:
  StderrDialogs();

  void messageBox(const std::wstring& prompt, const std::wstring& title) override;
  void runTimeErrorBox(const RunTimeError& error) override;

 private:
  void writeLine(std::wstring_view line);

  WideEncoder encoder_;
};

}  // namespace brask
