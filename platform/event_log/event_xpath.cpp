#include "platform/event_log/event_xpath.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "platform/event_log/file_time.h"

namespace brask {
namespace {

// Each class's levels; Information is every level but 1, 2 and 3.
constexpr std::array<std::pair<RecordClass, const wchar_t*>, 4> kLevels{{
    {RecordClass::Critical, L"Level=1"},
    {RecordClass::Error, L"Level=2"},
    {RecordClass::Warning, L"Level=3"},
    {RecordClass::Information, L"Level=0 or Level>3"},
}};

// The levels of the selection; empty when it keeps every level, which also keeps the
// events without one (read as Information).
std::wstring levelTest(const LevelSelection& selection) {
  std::wstring test;
  std::size_t kept = 0;
  for (const auto& [recordClass, levels] : kLevels) {
    if (!selection.allows(recordClass)) continue;
    if (!test.empty()) test += L" or ";
    test += levels;
    ++kept;
  }
  if (kept == kLevels.size()) return {};
  // No level at all: the listing keeps no event, and none has a level below 0.
  return test.empty() ? L"Level<0" : test;
}

// Spellings of one computer beyond which its test is left out: a query may hold 20 tests.
constexpr std::size_t kMostSpellings = 10;

// The text as an XPath literal, between the quotes it does not hold; none where it holds both.
std::optional<std::wstring> literal(const std::wstring& text) {
  if (text.find(L'\'') == std::wstring::npos) return L"'" + text + L"'";
  if (text.find(L'"') == std::wstring::npos) return L"\"" + text + L"\"";
  return std::nullopt;
}

// "Computer='a' or Computer='b'"; empty where a spelling cannot be quoted, or there are too many.
std::wstring computerTest(const std::vector<std::wstring>& spellings) {
  if (spellings.size() > kMostSpellings) return {};
  std::wstring test;
  for (const std::wstring& spelling : spellings) {
    const std::optional<std::wstring> quoted = literal(spelling);
    if (!quoted) return {};
    if (!test.empty()) test += L" or ";
    test += L"Computer=" + *quoted;
  }
  return test;
}

}  // namespace

std::wstring eventXPath(const LevelSelection& selection, std::optional<std::uint64_t> recordBelow,
                        const EventOrigin* origin, std::optional<std::uint64_t> recordAbove) {
  std::vector<std::wstring> tests;
  if (std::wstring levels = levelTest(selection); !levels.empty()) tests.push_back(std::move(levels));
  if (selection.writtenBefore) {
    tests.push_back(L"TimeCreated[@SystemTime<'" +
                    systemTimeText(utcBoundOf(*selection.writtenBefore)) + L"']");
  }
  if (recordBelow) tests.push_back(L"EventRecordID<" + std::to_wstring(*recordBelow));
  if (recordAbove) tests.push_back(L"EventRecordID>" + std::to_wstring(*recordAbove));
  if (origin) {
    if (std::wstring computer = computerTest(origin->computer); !computer.empty())
      tests.push_back(std::move(computer));
    if (const std::optional<std::wstring> channel = literal(origin->channel))
      tests.push_back(L"Channel=" + *channel);
  }
  if (tests.empty()) return L"*";
  std::wstring xpath = L"*[System[";
  for (std::size_t i = 0; i < tests.size(); ++i) {
    const bool grouped = tests.size() > 1 && tests[i].find(L" or ") != std::wstring::npos;
    if (i > 0) xpath += L" and ";
    xpath += grouped ? L"(" + tests[i] + L")" : tests[i];
  }
  return xpath + L"]]";
}

}  // namespace brask
