// The window's controls as the switches fill them, for a run without a window: the form the
// run reads, and whose end it asks for, with no window behind it.
#pragma once

#include "command_line/run_request.h"
#include "platform/form.h"

namespace brask {

class FilledForm final : public Form {
 public:
  explicit FilledForm(FormValues values) : values_(std::move(values)) {}

  int checkState(ControlId checkBox) override;
  bool optionSelected(ControlId optionButton) override;
  std::wstring text(ControlId textBox) override;
  void showCaption(const std::wstring&) override {}
  void unloadAndEnd() override {}

 private:
  FormValues values_;
};

}  // namespace brask
