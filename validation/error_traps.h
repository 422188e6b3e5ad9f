// The checks of the form before a run writes anything.
#pragma once

#include <optional>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/locale_api.h"

namespace brask {

// What a check is about: the log or type check boxes, the choice of mode, the number, or
// the From and To dates.
enum class CheckedField { Logs, Types, Mode, Number, From, To, FromAndTo };

// A check that failed: its message box's prompt and title, and the field it is about.
struct FailedCheck {
  const wchar_t* prompt;
  const wchar_t* title;
  CheckedField field;
};

// The first of the fourteen checks that fails, in order; nothing when the run may go on.
// It changes nothing on the form.
std::optional<FailedCheck> firstFailedCheck(Form& form, Clock& clock, LocaleApi& locale);

// Makes the fourteen checks in order and shows the message of the first that fails:
// returns 1 when a message was shown (the run must stop), 0 when the run may go on.
// It changes nothing on the form.
int ErrorTraps(Form& form, Dialogs& dialogs, Clock& clock, LocaleApi& locale);

}  // namespace brask
