// Another computer's failures as its report block gives them: each a ComputerError with the
// Windows error code, its text, and how the computer was reached.
#pragma once

#include <memory>

#include "platform/computers.h"
#include "platform/event_source.h"

namespace brask {

// The failure as a ComputerError: an HRESULT that carries a Windows error code (0x8007xxxx,
// as WMI passes on RPC's failures) as that code xxxx with its text; any other code as it is.
ComputerError computerError(const RunTimeError& error, Reach reach);

// The result of a query, each failure of its walk thrown as a ComputerError.
std::unique_ptr<EventObjects> failingAsComputer(std::unique_ptr<EventObjects> objects, Reach reach);

}  // namespace brask
