// The properties that a fuzz target asserts: a failed one stops the fuzzer at once, so
// that libFuzzer keeps the input that broke it.
#pragma once

namespace brask::fuzz {

[[noreturn]] void failed(const char* condition, const char* file, int line);

}  // namespace brask::fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::brask::fuzz::failed(#condition, __FILE__, __LINE__))
