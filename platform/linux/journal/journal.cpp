#include "platform/linux/journal/journal.h"

#include <systemd/sd-id128.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/linux/errno_text.h"
#include "platform/linux/folder_files.h"
#include "platform/linux/journal/journal_time_order.h"
#include "platform/linux/locale/wide_decoder.h"
#include "platform/run_time_error.h"

namespace brask {
namespace {

// Files in use and files journald left unclean.
constexpr std::string_view kSuffixes[] = {".journal", ".journal~"};


bool isJournalName(std::string_view name) {
  return std::any_of(std::begin(kSuffixes), std::end(kSuffixes), [&](std::string_view suffix) {
    return name.size() > suffix.size() && name.ends_with(suffix);
  });
}

// The local system's and users' journals: the machine's directories under the volatile
// and the persistent journal, and the files beside them.
std::vector<std::string> localFiles() {
  sd_id128_t machine;
  checked(sd_id128_get_machine(&machine), L"Opening the journal");
  char id[SD_ID128_STRING_MAX];
  sd_id128_to_string(machine, id);
  std::vector<std::string> paths;
  for (const char* base : {"/run/log/journal", "/var/log/journal"}) {
    for (const std::filesystem::path& directory : {std::filesystem::path(base) / id, std::filesystem::path(base)}) {
      std::error_code ignored;
      for (std::string& path : filesIn(directory, isJournalName, ignored)) paths.push_back(std::move(path));
    }
  }
  return paths;
}

bool isRefusal(int error) { return error == -EACCES || error == -EPERM; }

}  // namespace

std::optional<std::vector<std::string>> uniqueItems(sd_journal* journal, const char* field) {
  if (sd_journal_query_unique(journal, field) < 0) return std::nullopt;
  std::vector<std::string> items;
  const void* data = nullptr;
  std::size_t length = 0;
  int result = 0;
  while ((result = sd_journal_enumerate_unique(journal, &data, &length)) > 0) {
    items.emplace_back(static_cast<const char*>(data), length);
  }
  if (result < 0) return std::nullopt;
  return items;
}

std::unique_ptr<Journal> Journal::open(const std::string& path, int& error) {
  sd_journal* journal = nullptr;
  const char* paths[] = {path.c_str(), nullptr};
  error = sd_journal_open_files(&journal, paths, 0);
  if (error < 0) return nullptr;
  return std::unique_ptr<Journal>(new Journal(journal));
}

Journal::~Journal() { sd_journal_close(journal_); }

sd_journal* JournalFile::get() {
  if (!journal_) {
    int error = 0;
    journal_ = Journal::open(path_, error);
    if (!journal_) return nullptr;
  }
  return journal_->get();
}

std::vector<std::string> journalFilesIn(const std::string& directory, std::vector<RefusedFile>& refused) {
  WideDecoder utf8("UTF-8");
  const std::wstring where = L"Opening the journal in " + utf8(directory);
  std::error_code error;
  std::vector<std::string> paths = filesIn(directory, isJournalName, error);
  if (error) throw RunTimeError(where, -error.value(), errnoText(error.value()));
  for (const std::string& folder : foldersIn(directory, error)) {
    sd_id128_t machine;
    if (sd_id128_from_string(std::filesystem::path(folder).filename().c_str(), &machine) < 0) continue;
    std::error_code unlisted;
    std::vector<std::string> files = filesIn(folder, isJournalName, unlisted);
    if (unlisted) refused.push_back({folder, utf8(folder), unlisted.value()});
    paths.insert(paths.end(), std::make_move_iterator(files.begin()), std::make_move_iterator(files.end()));
  }
  if (paths.empty() && refused.empty()) throw RunTimeError(where, -ENOENT, L"No journal files were found");
  return paths;
}

std::vector<RefusedFile> forEachJournalFile(const std::optional<std::string>& directory,
                                            const std::function<void(std::string& path, sd_journal* journal)>& visit) {
  std::vector<RefusedFile> refused;
  const std::vector<std::string> paths = directory ? journalFilesIn(*directory, refused) : localFiles();
  int refusal = 0;
  bool opened = false;
  WideDecoder utf8("UTF-8");
  for (std::string path : paths) {
    int error = 0;
    const std::unique_ptr<Journal> journal = Journal::open(path, error);
    if (!journal) {
      // A damaged file is left out; one the user may not read is remembered.
      if (isRefusal(error)) {
        refusal = error;
        if (directory) refused.push_back({path, utf8(path), -error});
      }
      continue;
    }
    opened = true;
    visit(path, journal->get());
  }
  if (!directory && !opened && refusal != 0) throw RunTimeError(L"Opening the journal", refusal, errnoText(-refusal));
  return refused;
}

std::vector<JournalFile>& JournalFiles::files() {
  if (files_) return *files_;
  std::vector<JournalFile> files;
  std::vector<RefusedFile> refused = forEachJournalFile(directory_, [this, &files](std::string& path, sd_journal* journal) {
    std::uint64_t head = 0;
    std::uint64_t tail = 0;
    if (sd_journal_get_cutoff_realtime_usec(journal, &head, &tail) <= 0) return;
    HostEntries hosts = hosts_ ? hostEntries(journal, path, *hosts_) : HostEntries{};
    if (hosts.share == HostShare::None) return;
    // Closed until a walk reaches it: a journal of many files holds few open.
    files.emplace_back(std::move(path), head, tail, inTimeOrder(journal), std::move(hosts));
  });
  WideDecoder utf8("UTF-8");
  std::erase_if(refused, [&](const RefusedFile& file) { return hosts_ && !mayHoldChoice(file.path, *hosts_, utf8); });
  if (files.empty() && !refused.empty()) throw *refusedFilesError(action(), refused);
  refused_ = std::move(refused);
  return files_.emplace(std::move(files));
}

std::optional<ComputerError> JournalFiles::unreadPart() const { return refusedFilesError(action(), refused_); }

std::wstring JournalFiles::action() const {
  return directory_ ? L"Opening the journal in " + WideDecoder("UTF-8")(*directory_) : std::wstring(L"Opening the journal");
}

int checked(int result, const wchar_t* action) {
  if (result < 0) throw RunTimeError(action, result, errnoText(-result));
  return result;
}

}  // namespace brask
