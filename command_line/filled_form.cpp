#include "command_line/filled_form.h"

namespace brask {

int FilledForm::checkState(ControlId checkBox) {
  const auto found = values_.checked.find(checkBox);
  return found != values_.checked.end() && found->second ? 1 : 0;
}

bool FilledForm::optionSelected(ControlId optionButton) { return values_.option == optionButton; }

std::wstring FilledForm::text(ControlId textBox) {
  const auto found = values_.texts.find(textBox);
  return found == values_.texts.end() ? std::wstring() : found->second;
}

}  // namespace brask
