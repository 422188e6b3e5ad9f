// The bookmark file's reading. Input: any text, read as a bookmark. What is read is printed
// and read back the same; what is refused names a line of the text.
#include <algorithm>

#include "bookmarks/bookmark_file.h"
#include "fuzz_check.h"
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brask;
  const std::wstring text = fuzz::wideText(data, size);
  std::vector<BookmarkLine> lines;
  try {
    lines = readBookmarkText(text);
  } catch (const BookmarkFormError& error) {
    const auto lineFeeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), L'\n'));
    FUZZ_CHECK(error.line() >= 1 && error.line() <= lineFeeds + 1);
    FUZZ_CHECK(!error.why().empty());
    return 0;
  }
  for (const BookmarkLine& line : lines) {
    FUZZ_CHECK(fitsField(line.computer) && fitsField(line.position));
    FUZZ_CHECK(line.log == LogName::Application || line.log == LogName::System);
  }
  const std::wstring printed = printBookmark(lines);
  FUZZ_CHECK(readBookmarkText(printed) == lines);
  FUZZ_CHECK(printBookmark(readBookmarkText(printed)) == printed);
  return 0;
}
