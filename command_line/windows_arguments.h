// The command line in Windows' convention: computers as "\\NAME", "NAME" or "@FILE", and
// switches that start with "/", named in any letter case, their value after ":".
#pragma once

#include <string>
#include <vector>

#include "command_line/run_request.h"

namespace brask {

// The request of the arguments (the program's name left out); throws CommandLineError.
//   /forwarded[:CHANNEL]  a Windows Event Collector's log: ForwardedEvents, or CHANNEL
RunRequest windowsRequest(const std::vector<std::wstring>& arguments, const ReadTextFile& read);

}  // namespace brask
