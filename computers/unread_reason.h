// Why a computer could not be read, as its report line gives it after "could not be read: ",
// with what its reader should check.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "platform/computers.h"

namespace brask {

// "TEXT (error CODE)." and the check for the code: the system's text without its line
// breaks, the code in decimal (in hexadecimal beyond 16 bits). A call that timed out or was
// cancelled gets the check of a computer that does not answer; access denied, the rights
// that the way the computer was reached asks for (WMI's are not the Event Log API's); a
// folder's file, none.
std::wstring errorReason(const ComputerError& error);

// "it did not answer within N seconds." (with " (error CODE)" before the full stop where
// the cancelled call ended with one) and the check for a computer out of reach.
std::wstring noAnswerReason(std::chrono::milliseconds limit, std::optional<long> code);

// "it is not in WHERE.": a computer that the folder or log does not gather.
std::wstring notGatheredReason(const std::wstring& where);

}  // namespace brask
