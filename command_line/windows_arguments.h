// The command line in Windows' convention: computers as "\\NAME", "NAME" or "@FILE", and
// switches that start with "/", named in any letter case, their value after ":".
#pragma once

#include <string>
#include <vector>

#include "command_line/run_request.h"

namespace brask {

// The request of the arguments (the program's name left out); throws CommandLineError.
//   /forwarded[:CHANNEL]  a Windows Event Collector's log: ForwardedEvents, or CHANNEL
//   /?, /version          the usage, the version
// and the switches that both builds take (switches.h).
RunRequest windowsRequest(const std::vector<std::wstring>& arguments, const ReadTextFile& read);

// Whether the arguments ask for the report without a window (/run), however the rest of
// them reads: a command line refused then says why on standard error, not in a box.
bool asksForRun(const std::vector<std::wstring>& arguments);

// The usage, for /?.
std::wstring windowsUsage();

}  // namespace brask
