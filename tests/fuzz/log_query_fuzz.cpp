// The journal source's reading of a query text. Input: any text, read as a query and as
// a log name in the listings' query.
#include "fuzz_check.h"
#include "fuzz_text.h"
#include "platform/event_log/log_query.h"
#include "platform/run_time_error.h"
#include "report/listings.h"

namespace brask::fuzz {
namespace {

// WBEM_E_INVALID_QUERY in its 32 bits.
constexpr unsigned long kInvalidQuery = 0x80041017;

bool refused(const std::wstring& query) {
  try {
    logOfQuery(query);
    return false;
  } catch (const RunTimeError& error) {
    FUZZ_CHECK((static_cast<unsigned long>(error.code()) & 0xFFFFFFFFUL) == kInvalidQuery);
    return true;
  }
}

// The name with the case of its letters flipped where the bits say so.
std::wstring caseMixed(std::wstring name, const std::wstring& bits) {
  for (std::size_t i = 0; i < name.size() && i < bits.size(); ++i) {
    if (bits[i] & 1) name[i] = static_cast<wchar_t>(name[i] ^ 0x20);
  }
  return name;
}

}  // namespace
}  // namespace brask::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brask;
  using namespace brask::fuzz;
  const std::wstring text = wideText(data, size);
  refused(text);

  // Any name without a quote, in the query of either mode, names one log the same way
  // whatever the case of the keywords and the blanks between them.
  std::wstring name;
  for (wchar_t c : text) {
    if (c != L'\'') name += c;
  }
  const std::wstring quotedName = L"'" + name + L"'";
  FUZZ_CHECK(!refused(queryText(quotedName)));
  const LogName log = logOfQuery(queryText(quotedName));
  FUZZ_CHECK(logOfQuery(queryText(quotedName + L" ")) == log);
  FUZZ_CHECK(logOfQuery(L"SELECT * FROM WIN32_NTLOGEVENT WHERE LOGFILE = " + quotedName) == log);
  FUZZ_CHECK(logOfQuery(L" select\t* from  win32_ntlogevent\twhere logfile=" + quotedName + L"\t") ==
             log);

  FUZZ_CHECK(logOfQuery(queryText(L"'" + caseMixed(L"Application", text) + L"'")) ==
             LogName::Application);
  FUZZ_CHECK(logOfQuery(queryText(L"'" + caseMixed(L"System", text) + L"' ")) == LogName::System);
  return 0;
}
