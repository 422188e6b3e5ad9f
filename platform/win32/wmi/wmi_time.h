// WMI's TimeWritten, the CIM text of a time in the zone of the computer that wrote it
// ("yyyymmddHHMMSS.mmmmmm" and its offset from UTC in minutes, "+060"), as the same moment in
// this computer's zone, as the Event Log API's times are given.
#pragma once

#include <string>

namespace brask {

// Any text that is not such a time, or that Windows cannot convert, is given as it is.
std::wstring thisComputersTime(const std::wstring& timeWritten);

}  // namespace brask
