#include "platform/linux/evtx/record_xml.h"

#include <charconv>
#include <system_error>

#include "platform/event_log/event_data_xml.h"
#include "platform/event_log/file_time.h"

namespace brask {
namespace {

// The value of the digits in a base, all of them; nothing for any other text.
std::optional<std::uint64_t> numberOf(std::string_view digits, int base) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
    return std::nullopt;
  return value;
}

}  // namespace

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

std::optional<std::uint64_t> timeCreated(std::string_view xml) {
  constexpr std::string_view kOpen = "<TimeCreated SystemTime=\"";
  const std::string_view system = xml.substr(0, xml.find("</System>"));
  const std::size_t start = system.find(kOpen);
  if (start == std::string_view::npos) return std::nullopt;
  const std::size_t from = start + kOpen.size();
  const std::size_t end = system.find('"', from);
  if (end == std::string_view::npos) return std::nullopt;
  return fileTimeOfSystemTime(system.substr(from, end - from));
}

RecordDetails recordDetails(std::string_view xml) {
  RecordDetails details;
  details.timeCreated = timeCreated(xml);
  if (const auto task = systemValue(xml, "Task")) {
    if (const auto number = numberOf(*task, 10)) details.task = static_cast<std::int64_t>(*number);
  }
  // Keywords are 64 bits, written 0x and 16 hexadecimal digits.
  if (const auto keywords = systemValue(xml, "Keywords"); keywords && keywords->starts_with("0x")) {
    details.keywords = numberOf(std::string_view(*keywords).substr(2), 16).value_or(0);
  }
  details.binaryLast = endsInBinary(xml);
  return details;
}

}  // namespace brask
