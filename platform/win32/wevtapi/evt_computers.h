// The computers whose events a log of this computer holds, as a Windows Event Collector's
// logs gather them.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/wevtapi/wevtapi.h"

namespace brask {

// The names the log's events give their computer (System/Computer), each spelling once, in
// the order met walking the log newest first. Throws RunTimeError (EvtNotWorking among
// them) when the log cannot be read.
std::vector<std::wstring> computersOfLog(const Wevtapi& api, const std::wstring& channel);

}  // namespace brask
