// The platform's own words for a failure code: Win32 error codes and HRESULTs.
#pragma once

#include <windows.h>

#include <string>

#include "platform/run_time_error.h"

namespace brask {

// The system's message for a Win32 error code or an HRESULT, without its line break;
// "Unknown error" when the system has none.
std::wstring systemErrorText(DWORD code);

// The run-time error for what failed, with the failed call's error code and its message. The
// caller reads GetLastError() in a statement of its own right after the call, before
// anything else can change it: another call, a handle closed, memory allocated (as the
// action's text is built).
RunTimeError systemError(const std::wstring& action, DWORD code);

}  // namespace brask
