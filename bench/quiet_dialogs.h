// Message boxes written to standard error instead of shown; remembers that one was.
#pragma once

#include "platform/dialogs.h"

namespace brask::bench {

class QuietDialogs : public Dialogs {
 public:
  void messageBox(const std::wstring& prompt, const std::wstring& title) override;
  void runTimeErrorBox(const RunTimeError& error) override;

  bool shown() const { return shown_; }

 private:
  bool shown_ = false;
};

}  // namespace brask::bench
