// The From and To strings: the three date fields joined exactly as typed.
#pragma once

#include <string>

#include "platform/form.h"

namespace brask {

// The day text, "/", the month text, "/", the year text of the From fields.
std::wstring fromString(Form& form);
// The same of the To fields.
std::wstring toString(Form& form);

}  // namespace brask
