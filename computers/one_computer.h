// The report of one computer whose logs could be read only in part (a file of its folder that
// the user may not read): after the sections read from the rest, its line, as a report of
// many computers gives it.
#pragma once

#include <string>
#include <vector>

#include "platform/computers.h"
#include "platform/event_source.h"
#include "report/report_file.h"

namespace brask {

// Writes the line of the source's part that could not be read, if any, once the sections
// are written; the computer is named as its logs gather it, else by where they are. Returns
// the lines written.
std::vector<std::wstring> writeUnreadPart(EventSource& source, Computers& computers, ReportFile& report);

}  // namespace brask
