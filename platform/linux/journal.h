// An open sd-journal, closed when destroyed, and the run-time error of a failed call.
#pragma once

#include <systemd/sd-journal.h>

#include <optional>
#include <string>

namespace brask {

class Journal {
 public:
  // The journal files of directory, else the local system's and users' journals.
  explicit Journal(const std::optional<std::string>& directory);
  ~Journal();
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  sd_journal* get() const { return journal_; }

 private:
  sd_journal* journal_ = nullptr;
};

// Throws the RunTimeError of a failed sd-journal call (result < 0: minus the error
// number); returns the result otherwise.
int checked(int result, const wchar_t* action);

}  // namespace brask
