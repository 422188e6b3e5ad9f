#include "journal_fixture.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace brask::test {

JournalFixture::JournalFixture() {
  std::string pattern = (std::filesystem::temp_directory_path() / "brask_journal_XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  dir_ = pattern;
}

JournalFixture::~JournalFixture() { std::filesystem::remove_all(dir_); }

void JournalFixture::add(std::uint64_t realtimeMicroseconds, const Fields& fields) {
  export_ += "__REALTIME_TIMESTAMP=" + std::to_string(realtimeMicroseconds) + "\n";
  for (const auto& [name, value] : fields) {
    if (value.find('\n') == std::string::npos) {
      export_ += name + "=" + value + "\n";
      continue;
    }
    // The binary form: the name, a line break, the length as 64-bit little endian.
    export_ += name + "\n";
    std::uint64_t length = value.size();
    for (int i = 0; i < 8; ++i, length >>= 8) export_ += static_cast<char>(length & 0xFF);
    export_ += value + "\n";
  }
  export_ += "\n";
}

std::string JournalFixture::build() {
  const std::string input = (dir_ / "entries.export").string();
  std::ofstream(input, std::ios::binary) << export_;
  export_.clear();
  char name[32];
  std::snprintf(name, sizeof name, "x%d.journal", ++files_);
  const std::string output = "-o" + (dir_ / "journal" / name).string();
  std::filesystem::create_directories(dir_ / "journal");
  const pid_t child = fork();
  if (child == 0) {
    // Quiet: it reports every journal it writes.
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDERR_FILENO);
    execl(JOURNAL_REMOTE, JOURNAL_REMOTE, output.c_str(), input.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error("journal-remote failed");
  return dir();
}

std::string JournalFixture::dir() const { return (dir_ / "journal").string(); }


}  // namespace brask::test
