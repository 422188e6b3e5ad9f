// Real journal files, built during a test: entries are written, oldest first, in the
// journal export format and turned into a journal by systemd-journal-remote.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace brask::test {

using Fields = std::vector<std::pair<std::string, std::string>>;

class JournalFixture {
 public:
  JournalFixture();
  ~JournalFixture();
  JournalFixture(const JournalFixture&) = delete;
  JournalFixture& operator=(const JournalFixture&) = delete;

  // An entry written at the given time (microseconds since 1970, UTC); a value may hold
  // any bytes, line breaks included.
  void add(std::uint64_t realtimeMicroseconds, const Fields& fields);
  // Builds a journal file of the entries added since the last build, beside the files
  // built before, and returns the directory that holds them.
  std::string build();
  // The directory that build() fills.
  std::string dir() const;

 private:
  std::filesystem::path dir_;
  std::string export_;
  int files_ = 0;
};

}  // namespace brask::test
