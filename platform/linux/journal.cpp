#include "platform/linux/journal.h"

#include "platform/linux/errno_text.h"
#include "platform/linux/wide_decoder.h"
#include "platform/run_time_error.h"

namespace brask {

Journal::Journal(const std::optional<std::string>& directory) {
  if (directory) {
    checked(sd_journal_open_directory(&journal_, directory->c_str(), 0),
            (L"Opening the journal in " + WideDecoder("UTF-8")(*directory)).c_str());
  } else {
    checked(sd_journal_open(&journal_, SD_JOURNAL_LOCAL_ONLY), L"Opening the journal");
  }
}

Journal::~Journal() { sd_journal_close(journal_); }

int checked(int result, const wchar_t* action) {
  if (result < 0) throw RunTimeError(action, result, errnoText(-result));
  return result;
}

}  // namespace brask
