#include "scoped_env.h"

#include <cstdlib>
#include <ctime>

namespace brask::test {
namespace {

void put(const std::string& name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
}

}  // namespace

ScopedEnv::ScopedEnv(
    std::initializer_list<std::pair<std::string, std::optional<std::string>>> values) {
  for (const auto& [name, value] : values) {
    const char* old = std::getenv(name.c_str());
    saved_.emplace_back(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
    put(name, value);
  }
  tzset();
}

ScopedEnv::~ScopedEnv() {
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) put(it->first, it->second);
  tzset();
}

}  // namespace brask::test
