#include "validation/error_traps.h"

#include "platform/text/day_first.h"
#include "validation/date_strings.h"
#include "validation/numbers.h"

namespace brask {
namespace {

constexpr const wchar_t* kSelections = L"Please check your selections";
constexpr const wchar_t* kDates = L"Please check your dates";
constexpr const wchar_t* kInput = L"Please check your input";

bool outside(double value, double low, double high) { return value < low || value > high; }

using enum CheckedField;

std::optional<FailedCheck> selectionFailure(Form& form) {
  auto checked = [&](ControlId box) { return form.checkState(box) != 0; };
  using enum ControlId;
  if (!checked(chkApplication) && !checked(chkSystem)) {
    return FailedCheck{L"You must select at least one log to query or you won't get any results!",
                   kSelections, Logs};
  }
  if (!checked(chkError) && !checked(chkInformation) && !checked(chkWarning) &&
      !checked(chkCritical)) {
    return FailedCheck{L"You must select at least one type to list or you won't get any results!",
                   kSelections, Types};
  }
  if (!form.optionSelected(optNumber) && !form.optionSelected(optDate)) {
    return FailedCheck{L"You must select either 'Number of events' or 'Date of events'.  Your choice.",
                   kSelections, Mode};
  }
  return std::nullopt;
}

std::optional<FailedCheck> numberFailure(Form& form, LocaleApi& locale) {
  const std::wstring text = form.text(ControlId::txtNumber);
  if (!isNumeric(text, locale.userLocaleText(lctype::kDecimal),
                 locale.userLocaleText(lctype::kThousand))) {
    return FailedCheck{L"The number of events must be a number (1 to 20).", kSelections, Number};
  }
  if (outside(leadingValue(text), 1, 20)) {
    return FailedCheck{L"Err... the number of events must be from 1 to 20.", kSelections, Number};
  }
  return std::nullopt;
}

std::optional<FailedCheck> dateFailure(Form& form, Clock& clock) {
  using enum ControlId;
  const DateTime today = clock.now().midnight();
  auto value = [&](ControlId box) { return leadingValue(form.text(box)); };
  auto recentYear = [&](ControlId box) {
    return value(box) == today.year || value(box) == today.year - 1;
  };

  if (outside(value(txtDayFrom), 1, 31)) return FailedCheck{L"The 'From:' day is invalid.", kDates, From};
  if (outside(value(txtMthFrom), 1, 12)) return FailedCheck{L"The 'From:' month is invalid.", kDates, From};
  if (!recentYear(txtYrFrom)) {
    return FailedCheck{L"Best keep the From: date in the current or previous year to get some "
                   L"meaningful results.",
                   kDates, From};
  }
  if (outside(value(txtDayTo), 1, 31)) return FailedCheck{L"The 'To:' day is invalid.", kDates, To};
  if (outside(value(txtMthTo), 1, 12)) return FailedCheck{L"The 'To:' month is invalid.", kDates, To};
  if (!recentYear(txtYrTo)) {
    return FailedCheck{L"Best keep the To: date in the current or previous year to get some "
                   L"meaningful results.",
                   kDates, To};
  }
  const auto from = readDayFirstDate(fromString(form));
  if (!from || *from > today) {
    return FailedCheck{L"The 'From:' date must be a valid date not in the future.", kInput, From};
  }
  const auto to = readDayFirstDate(toString(form));
  if (!to || *to > today) {
    return FailedCheck{L"The 'To:' date must be a valid date not in the future.", kInput, To};
  }
  if (*from > *to) return FailedCheck{L"The 'From:' date must not be after the 'To:' date.", kInput, FromAndTo};
  return std::nullopt;
}

}  // namespace

std::optional<FailedCheck> firstFailedCheck(Form& form, Clock& clock, LocaleApi& locale) {
  std::optional<FailedCheck> failure = selectionFailure(form);
  if (!failure && form.optionSelected(ControlId::optNumber)) failure = numberFailure(form, locale);
  if (!failure && form.optionSelected(ControlId::optDate)) failure = dateFailure(form, clock);
  return failure;
}

int ErrorTraps(Form& form, Dialogs& dialogs, Clock& clock, LocaleApi& locale) {
  const std::optional<FailedCheck> failure = firstFailedCheck(form, clock, locale);
  if (!failure) return 0;
  dialogs.messageBox(failure->prompt, failure->title);
  return 1;
}

}  // namespace brask
