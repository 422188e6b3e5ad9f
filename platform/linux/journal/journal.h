// The journal's files as sd-journal reads them: one open file, the files of a source,
// and the run-time error of a failed call.
#pragma once

#include <systemd/sd-journal.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace brask {

// An sd-journal over one journal file, closed when destroyed.
class Journal {
 public:
  // Nothing when the file cannot be opened: minus the error number in `error`.
  static std::unique_ptr<Journal> open(const std::string& path, int& error);
  ~Journal();
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  sd_journal* get() const { return journal_; }

 private:
  explicit Journal(sd_journal* journal) : journal_(journal) {}
  sd_journal* journal_;
};

// The values of a field in the file, as "FIELD=value" items; nothing when the file's
// index of fields cannot be read.
std::optional<std::vector<std::string>> uniqueItems(sd_journal* journal, const char* field);

// One journal file and the times of its first and last entries, which its header holds.
// Opened when a walk first needs it, it stays open from one query to the next; closing it
// lets go of every page mapped.
class JournalFile {
 public:
  JournalFile(std::string path, std::uint64_t head, std::uint64_t tail, bool indexed)
      : path_(std::move(path)), head_(head), tail_(tail), indexed_(indexed) {}

  // Opens the file again when it was closed; null when it no longer opens.
  sd_journal* get();
  void close() { journal_.reset(); }
  // Microseconds since 1970 of its first and last entries, in the order of writing.
  std::uint64_t head() const { return head_; }
  std::uint64_t tail() const { return tail_; }
  // Whether a walk may use the file's indexes and seek to a time in it: its entries are
  // in time order and its indexes have read well so far. Otherwise every entry is walked.
  bool indexed() const { return indexed_; }
  void markUnindexed() { indexed_ = false; }

 private:
  std::string path_;
  std::uint64_t head_;
  std::uint64_t tail_;
  bool indexed_;
  std::unique_ptr<Journal> journal_;
};

// The journal files a source reads: those of one directory, else the local system's
// and users' journals. They are listed and opened at the first query. Files that cannot
// be opened or read, and files without entries, are passed over, as journalctl does;
// when every file was refused for want of permission, the journal cannot be read at all.
class JournalFiles {
 public:
  explicit JournalFiles(std::optional<std::string> directory) : directory_(std::move(directory)) {}

  std::vector<JournalFile>& files();

 private:
  std::optional<std::string> directory_;
  std::optional<std::vector<JournalFile>> files_;
};

// Throws the RunTimeError of a failed sd-journal call (result < 0: minus the error
// number); returns the result otherwise.
int checked(int result, const wchar_t* action);

}  // namespace brask
