// The process environment as the Linux platform reads it: a variable that is empty counts
// as not set.
#pragma once

#include <optional>
#include <string>

namespace brask {

// The value of the variable when it is set and not empty.
std::optional<std::string> nonEmptyVariable(const char* name);

}  // namespace brask
