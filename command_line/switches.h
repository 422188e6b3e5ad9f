// The switches that both builds take, each in its platform's spelling (Windows "/log:…",
// Linux "--log …"): what they put in the window's controls, where the report goes, and
// whether it runs without a window. A value is taken as it stands and judged at Run by the
// window's own checks; only what no control can hold is refused here.
#pragma once

#include <optional>
#include <string>

#include "command_line/run_request.h"

namespace brask {

// Applies the switch of that name (in lower case, without its "/" or "--") with its value,
// if it has one; `written` is the switch as the command line gives it, for the message that
// refuses it. A later switch overrides an earlier one. Throws CommandLineError.
//   log   Application,System                   the logs' check boxes
//   type  Critical,Error,Information,Warning   the types' check boxes
//   last  N                                    Number of events, and its text
//   from  DD/MM/YYYY, to DD/MM/YYYY            Date of events, and the date fields
//   out   PATH                                 the report's path
//   bookmark  FILE                             only the events new since the run that wrote FILE
//   run                                        the report without a window
void applySwitch(RunRequest& request, const std::wstring& name, const std::optional<std::wstring>& value,
                 const std::wstring& written);

// The usage of the switches, in a platform's spelling: prefix "/" and separator ":" on
// Windows, "--" and " " on Linux; `program` names the program and what it takes first.
std::wstring switchesUsage(const std::wstring& program, const std::wstring& prefix,
                           const std::wstring& separator);

}  // namespace brask
