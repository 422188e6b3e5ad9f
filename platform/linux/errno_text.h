// The description of an error number, in English whatever the process locale.
#pragma once

#include <string>

namespace brask {

std::wstring errnoText(int errorNumber);

}  // namespace brask
