// The checks of the form before a run writes anything.
#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/locale_api.h"

namespace brask {

// Makes the fourteen checks in order and shows the message of the first that fails:
// returns 1 when a message was shown (the run must stop), 0 when the run may go on.
// It changes nothing on the form.
int ErrorTraps(Form& form, Dialogs& dialogs, Clock& clock, LocaleApi& locale);

}  // namespace brask
