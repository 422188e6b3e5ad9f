// Failing HRESULTs of COM and WMI as run-time errors.
#pragma once

#include <windows.h>

#include <string>

namespace brask {

// The description of an HRESULT: WMI's own text for WMI codes, the system's for the rest.
std::wstring hresultText(HRESULT hr);

// Throws RunTimeError(action, hr, hresultText(hr)) when hr is a failure.
void throwIfFailed(HRESULT hr, const std::wstring& action);

}  // namespace brask
