#include "platform/linux/evtx_mapping.h"

#include <array>
#include <cctype>
#include <charconv>
#include <system_error>

namespace brask {
namespace {

constexpr std::uint64_t kAuditFailure = 0x0010000000000000;
constexpr std::uint64_t kAuditSuccess = 0x0020000000000000;
// FILETIME of 1970-01-01 00:00:00 UTC.
constexpr std::uint64_t kUnixEpoch = 116444736000000000;

const std::wstring kAuditSuccessName = L"Audit Success";
const std::wstring kAuditFailureName = L"Audit Failure";

constexpr std::array<RecordClass, 4> kLevelClasses{RecordClass::Critical, RecordClass::Error,
                                                   RecordClass::Warning, RecordClass::Information};

std::uint8_t bit(RecordClass recordClass) {
  return static_cast<std::uint8_t>(1u << static_cast<int>(recordClass));
}

// The value of the digits in a base, all of them; nothing for any other text.
std::optional<std::uint64_t> numberOf(std::string_view digits, int base) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
    return std::nullopt;
  return value;
}

}  // namespace

RecordClass levelClass(std::optional<int> level) {
  if (level == 1) return RecordClass::Critical;
  if (level == 2) return RecordClass::Error;
  if (level == 3) return RecordClass::Warning;
  return RecordClass::Information;
}

const std::wstring& recordType(RecordClass levelClass, std::uint64_t keywords,
                               const EventTypeNames& spelling) {
  if ((keywords & kAuditSuccess) != 0) return kAuditSuccessName;
  if ((keywords & kAuditFailure) != 0) return kAuditFailureName;
  switch (levelClass) {
    case RecordClass::Critical:
      return spelling.critical ? *spelling.critical : spelling.error;
    case RecordClass::Error:
      return spelling.error;
    case RecordClass::Warning:
      return spelling.warning;
    default:
      return spelling.information;
  }
}

EvtxSelection evtxSelectionFor(const EventsWanted& wanted, const EventTypeNames& spelling) {
  EvtxSelection selection{bit(RecordClass::Unread), wanted.writtenBefore};
  // An audit type is a matter of keywords, which any level may carry.
  const bool anyLevel =
      !wanted.type || *wanted.type == kAuditSuccessName || *wanted.type == kAuditFailureName;
  for (RecordClass recordClass : kLevelClasses) {
    if (anyLevel || recordType(recordClass, 0, spelling) == *wanted.type)
      selection.classes |= bit(recordClass);
  }
  return selection;
}

std::uint64_t unixMicroseconds(std::uint64_t fileTime) {
  return fileTime < kUnixEpoch ? 0 : (fileTime - kUnixEpoch) / 10;
}

LogName logOfChannel(std::string_view channel) {
  // Channel names are ASCII: a byte beyond it matches no letter of a log's name.
  return logNamed(std::wstring(channel.begin(), channel.end()));
}

std::optional<std::string> systemValue(std::string_view xml, std::string_view element) {
  const std::string_view system = xml.substr(0, xml.find("</System>"));
  std::string open(1, '<');
  open.append(element).push_back('>');
  const std::size_t start = system.find(open);
  if (start == std::string_view::npos) return std::nullopt;
  const std::size_t from = start + open.size();
  const std::size_t end = system.find('<', from);
  if (end == std::string_view::npos || end == from) return std::nullopt;
  return std::string(system.substr(from, end - from));
}

RecordDetails recordDetails(std::string_view xml) {
  RecordDetails details;
  if (const auto task = systemValue(xml, "Task")) {
    if (const auto number = numberOf(*task, 10)) details.task = static_cast<std::int64_t>(*number);
  }
  // Keywords are 64 bits, written 0x and 16 hexadecimal digits.
  if (const auto keywords = systemValue(xml, "Keywords"); keywords && keywords->starts_with("0x")) {
    details.keywords = numberOf(std::string_view(*keywords).substr(2), 16).value_or(0);
  }
  const std::size_t end = xml.find("</EventData>");
  if (end != std::string_view::npos) {
    std::string_view before = xml.substr(0, end);
    while (!before.empty() && std::isspace(static_cast<unsigned char>(before.back())))
      before.remove_suffix(1);
    details.binaryLast = before.ends_with("</Binary>") || before.ends_with("<Binary/>");
  }
  return details;
}

}  // namespace brask
