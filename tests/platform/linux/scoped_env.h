// Sets or unsets environment variables for the length of a scope.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brask::test {

class ScopedEnv {
 public:
  // value nothing: the variable is unset.
  ScopedEnv(std::initializer_list<std::pair<std::string, std::optional<std::string>>> values);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace brask::test
