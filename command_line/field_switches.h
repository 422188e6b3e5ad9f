// In a run without a window, a message about one of the window's fields names first the
// switches that fill that field, with the values they put there, in the platform's
// spelling: "--to 31/02/2026: The 'To:' day is invalid." on Linux, "/to:31/02/2026: ..." on
// Windows.
#pragma once

#include <string>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/locale_api.h"
#include "validation/error_traps.h"

namespace brask {

// How a platform writes a switch with its value: the name's prefix, and what comes between
// the name and the value.
struct SwitchSpelling {
  const wchar_t* prefix;
  const wchar_t* separator;
};
inline constexpr SwitchSpelling kLinuxSwitches{L"--", L" "};
inline constexpr SwitchSpelling kWindowsSwitches{L"/", L":"};

// The switches that fill the field, each with the value the form holds now ("--log
// Application,System", "--last 21", "--from 1/2/2026 --to 31/1/2026"), or named alone where
// the field is empty; the choice of mode is "--last or --from".
std::wstring switchesOfField(CheckedField field, Form& form, const SwitchSpelling& spelling);

// The window's checks as ErrorTraps makes them, each message about a field after the
// switches that fill it and ": ". Returns 1 when a message was shown, else 0.
int switchNamedErrorTraps(Form& form, Dialogs& dialogs, Clock& clock, LocaleApi& locale,
                          const SwitchSpelling& spelling);

}  // namespace brask
