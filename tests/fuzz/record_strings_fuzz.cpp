// A saved log's record read from its binary XML, as damaged files give it. Input: a chunk,
// from its header on, whose first record stands where a chunk's first record does. Nothing
// it holds may read outside it, loop or crash; what cannot be read gives nothing.
#include "fuzz_check.h"
#include "platform/linux/evtx/record_strings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brask;
  static WideDecoder ansi("WINDOWS-1252");
  constexpr std::size_t kFirstRecord = 512;  // after the chunk's header
  const std::string_view chunk(reinterpret_cast<const char*>(data), size);
  if (const auto strings = recordStrings(chunk, kFirstRecord, ansi)) {
    for (const std::wstring& text : *strings) FUZZ_CHECK(text.size() <= size * 8);
  }
  return 0;
}
