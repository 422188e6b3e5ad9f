#include "fuzz_check.h"

#include <cstdio>
#include <cstdlib>

namespace brask::fuzz {

void failed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, condition);
  std::abort();
}

}  // namespace brask::fuzz
