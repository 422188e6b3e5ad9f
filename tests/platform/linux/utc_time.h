// Calendar times of the tests' journals and saved logs.
#pragma once

#include <cstdint>

namespace brask::test {

// Microseconds since 1970 of a UTC calendar time.
std::uint64_t utcMicroseconds(int year, int month, int day, int hour, int minute, int second);

}  // namespace brask::test
