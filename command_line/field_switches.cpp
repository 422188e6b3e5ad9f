#include "command_line/field_switches.h"

#include <cstddef>
#include <optional>
#include <utility>

namespace brask {
namespace {

using enum ControlId;

// The names of the checked boxes of one kind, joined by commas.
template <std::size_t N>
std::wstring checkedNames(Form& form, const std::pair<ControlId, const wchar_t*> (&boxes)[N]) {
  std::wstring names;
  for (const auto& [box, name] : boxes) {
    if (form.checkState(box) == 0) continue;
    names += (names.empty() ? L"" : L",") + std::wstring(name);
  }
  return names;
}

// A date's three fields as day/month/year; nothing when all three are empty.
std::wstring dateOf(Form& form, ControlId day, ControlId month, ControlId year) {
  const std::wstring parts[] = {form.text(day), form.text(month), form.text(year)};
  if (parts[0].empty() && parts[1].empty() && parts[2].empty()) return {};
  return parts[0] + L"/" + parts[1] + L"/" + parts[2];
}

}  // namespace

std::wstring switchesOfField(CheckedField field, Form& form, const SwitchSpelling& spelling) {
  const auto named = [&spelling](const wchar_t* name, const std::wstring& value) {
    return spelling.prefix + std::wstring(name) + (value.empty() ? L"" : spelling.separator + value);
  };
  switch (field) {
    case CheckedField::Logs:
      return named(L"log", checkedNames(form, {std::pair(chkApplication, L"Application"),
                                               std::pair(chkSystem, L"System")}));
    case CheckedField::Types:
      return named(L"type", checkedNames(form, {std::pair(chkCritical, L"Critical"),
                                                std::pair(chkError, L"Error"),
                                                std::pair(chkInformation, L"Information"),
                                                std::pair(chkWarning, L"Warning")}));
    case CheckedField::Mode:
      return named(L"last", L"") + L" or " + named(L"from", L"");
    case CheckedField::Number:
      return named(L"last", form.text(txtNumber));
    case CheckedField::From:
      return named(L"from", dateOf(form, txtDayFrom, txtMthFrom, txtYrFrom));
    case CheckedField::To:
      return named(L"to", dateOf(form, txtDayTo, txtMthTo, txtYrTo));
    case CheckedField::FromAndTo:
      return switchesOfField(CheckedField::From, form, spelling) + L" " +
             switchesOfField(CheckedField::To, form, spelling);
  }
  return {};
}

int switchNamedErrorTraps(Form& form, Dialogs& dialogs, Clock& clock, LocaleApi& locale,
                          const SwitchSpelling& spelling) {
  const std::optional<FailedCheck> failure = firstFailedCheck(form, clock, locale);
  if (!failure) return 0;
  dialogs.messageBox(switchesOfField(failure->field, form, spelling) + L": " + failure->prompt, failure->title);
  return 1;
}

}  // namespace brask
