// The journal's files as sd-journal reads them: one open file, the files of a source,
// and the run-time error of a failed call.
#pragma once

#include <systemd/sd-journal.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/computer_error.h"
#include "platform/linux/folder_files.h"
#include "platform/linux/journal/journal_hosts.h"

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

// One journal file, the times of its first and last entries, which its header holds, and
// the entries of it that the source reads. Opened when a walk first needs it, it stays open
// from one query to the next; closing it lets go of every page mapped.
class JournalFile {
 public:
  JournalFile(std::string path, std::uint64_t head, std::uint64_t tail, bool indexed,
              HostEntries hosts = {})
      : path_(std::move(path)), head_(head), tail_(tail), indexed_(indexed), hosts_(std::move(hosts)) {}

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
  const HostEntries& hosts() const { return hosts_; }

 private:
  std::string path_;
  std::uint64_t head_;
  std::uint64_t tail_;
  bool indexed_;
  HostEntries hosts_;
  std::unique_ptr<Journal> journal_;
};

// The journal files of a directory as journalctl --directory reads them: its own, and those
// of its subfolders named by a machine ID, as /var/log/journal holds them. `refused` gets
// the subfolders that cannot be listed. Throws RunTimeError when the directory cannot be
// listed or holds no journal file at all.
std::vector<std::string> journalFilesIn(const std::string& directory, std::vector<RefusedFile>& refused);

// Opens each journal file of one directory, else of the local system's and users' journals,
// and hands it to `visit` with its path. Damaged files are passed over, as journalctl
// passes them. Of a directory, the files and subfolders that the user may not read are
// returned; of the local journal they are passed over, as journalctl does, unless every file
// was refused: the journal cannot be read at all. Throws RunTimeError then, and as
// journalFilesIn does.
std::vector<RefusedFile> forEachJournalFile(const std::optional<std::string>& directory,
                                            const std::function<void(std::string& path, sd_journal* journal)>& visit);

// The journal files a source reads, with the entries of one host when chosen. They are
// listed and opened at the first query. Damaged files, files without entries and files
// without the chosen entries are passed over. Files that the user may not read are kept
// aside: one that systemd-journal-remote named after another host holds none of the chosen
// host's entries; any other may hold them.
class JournalFiles {
 public:
  explicit JournalFiles(std::optional<std::string> directory, std::optional<HostChoice> hosts = std::nullopt)
      : directory_(std::move(directory)), hosts_(std::move(hosts)) {}

  // Throws ComputerError when the source's only files are some that the user may not read.
  std::vector<JournalFile>& files();
  // Why some of the files listed could not be read, where some could not.
  std::optional<ComputerError> unreadPart() const;

 private:
  std::wstring action() const;

  std::optional<std::string> directory_;
  std::optional<HostChoice> hosts_;
  std::optional<std::vector<JournalFile>> files_;
  std::vector<RefusedFile> refused_;  // of the chosen host's, once listed
};

// Throws the RunTimeError of a failed sd-journal call (result < 0: minus the error
// number); returns the result otherwise.
int checked(int result, const wchar_t* action);

}  // namespace brask
