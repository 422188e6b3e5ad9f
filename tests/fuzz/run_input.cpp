#include "run_input.h"

#include <vector>

#include "fuzz_text.h"

namespace brask::fuzz {
namespace {

using enum ControlId;

// The whole numbers of a line, separated by blanks; the first word that is none ends them.
std::vector<std::int64_t> numbersIn(std::wstring_view line) {
  std::vector<std::int64_t> numbers;
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && line[i] == L' ') ++i;
    const bool negative = i < line.size() && line[i] == L'-';
    if (negative) ++i;
    if (i >= line.size() || line[i] < L'0' || line[i] > L'9') return numbers;
    std::uint64_t value = 0;
    for (; i < line.size() && line[i] >= L'0' && line[i] <= L'9'; ++i) {
      value = value * 10 + static_cast<std::uint64_t>(line[i] - L'0');
    }
    numbers.push_back(static_cast<std::int64_t>(negative ? 0 - value : value));
  }
}

std::wstring unescaped(std::wstring_view field) {
  std::wstring text;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != L'\\' || i + 1 == field.size()) {
      text += field[i];
      continue;
    }
    const wchar_t next = field[++i];
    text += next == L'r' ? L'\r' : next == L'n' ? L'\n' : next;
  }
  return text;
}

PropertyValue propertyOf(std::wstring_view field) {
  if (field == L"~") return {};
  if (!field.empty() && field.front() == L'#') {
    const auto numbers = numbersIn(field.substr(1));
    return numbers.empty() ? std::int64_t{0} : numbers.front();
  }
  return unescaped(field);
}

fakes::Event eventOf(std::wstring_view line) {
  static const wchar_t* const kNames[] = {L"Type",      L"TimeWritten", L"Category",
                                          L"EventCode", L"SourceName",  L"Message"};
  fakes::Event event;
  for (const wchar_t* name : kNames) {
    const std::size_t bar = line.find(L'|');
    if (bar == std::wstring_view::npos) break;
    line.remove_prefix(bar + 1);
    const std::wstring_view field = line.substr(0, line.find(L'|'));
    const PropertyValue value = propertyOf(field);
    if (!std::holds_alternative<std::monostate>(value)) event[name] = value;
  }
  return event;
}

std::string singleByte(std::wstring_view text) {
  std::string bytes;
  for (wchar_t c : text) {
    const auto byte = static_cast<char>(c & 0xFF);
    if (byte == '\0') break;
    bytes += byte;
  }
  return bytes;
}

Seam seamNamed(std::wstring_view word) {
  static const struct {
    const wchar_t* name;
    Seam seam;
  } kSeams[] = {{L"connect", Seam::Connect}, {L"query", Seam::Query}, {L"step", Seam::Step},
                {L"read", Seam::Read},       {L"write", Seam::Write}, {L"start", Seam::Start},
                {L"refuse", Seam::Refuse}};
  for (const auto& known : kSeams) {
    if (word == known.name) return known.seam;
  }
  return Seam::None;
}

void injectFault(Seam seam, std::size_t call, fakes::FakePlatform& fake) {
  switch (seam) {
    case Seam::Connect: fake.events.failAtConnect = call; break;
    case Seam::Query: fake.events.failAtQuery = call; break;
    case Seam::Step: fake.events.failAtStep = call; break;
    case Seam::Read: fake.events.failAtRead = call; break;
    case Seam::Write: fake.files.failAtWrite = call; break;
    case Seam::Start:
      fake.process.failStart = RunTimeError(L"Starting notepad", 2, L"File not found");
      break;
    case Seam::Refuse: fake.locale.refuseSetAt = call; break;
    case Seam::None: break;
  }
}

}  // namespace

RunWorld readRunInput(std::wstring_view input, fakes::FakePlatform& fake) {
  constexpr std::size_t kFields = 14;
  std::vector<std::wstring> line = lines(input, kFields + 1);
  RunWorld world;

  const ControlId boxes[] = {chkApplication, chkSystem,      chkCritical,
                             chkError,       chkInformation, chkWarning};
  for (std::size_t i = 0; i < std::size(boxes); ++i) {
    const wchar_t digit = i < line[0].size() ? line[0][i] : L'0';
    fake.form.checks[boxes[i]] = digit >= L'0' && digit <= L'2' ? digit - L'0' : 0;
  }
  fake.form.options[optNumber] = line[1].find(L'N') != std::wstring::npos;
  fake.form.options[optDate] = line[1].find(L'D') != std::wstring::npos;
  fake.events.honourWanted = line[1].find(L'H') != std::wstring::npos;
  const ControlId texts[] = {txtNumber, txtDayFrom, txtMthFrom, txtYrFrom,
                             txtDayTo,  txtMthTo,   txtYrTo};
  for (std::size_t i = 0; i < std::size(texts); ++i) fake.form.texts[texts[i]] = line[2 + i];

  const std::string picture = singleByte(line[9]);
  fake.locale.info[{fake.locale.lcid, lctype::kShortDate}] = picture;
  world.userShortDate = fake.shortDateInForce();
  fake.locale.info[{fake.locale.lcid, lctype::kEnglishLanguage}] = singleByte(line[10]);

  const auto version = numbersIn(line[11]);
  if (version.size() >= 3) {
    fake.version.platformId = static_cast<std::uint32_t>(version[0]);
    fake.version.major = static_cast<std::uint32_t>(version[1]);
    fake.version.minor = static_cast<std::uint32_t>(version[2]);
  }
  const auto clock = numbersIn(line[12]);
  if (clock.size() >= 6) {
    const auto at = makeDateTime(static_cast<int>(clock[0]), static_cast<int>(clock[1]),
                                 static_cast<int>(clock[2]), static_cast<int>(clock[3]),
                                 static_cast<int>(clock[4]), static_cast<int>(clock[5]));
    if (at) fake.clock.at = *at;
  }

  const std::wstring_view fault = line[13];
  const std::size_t blank = fault.find(L' ');
  world.fault = seamNamed(fault.substr(0, blank));
  const auto call = numbersIn(blank == std::wstring_view::npos ? L"" : fault.substr(blank));
  injectFault(world.fault, call.empty() ? 0 : static_cast<std::size_t>(call.front()), fake);

  for (const std::wstring& eventLine : everyLine(line[kFields])) {
    if (eventLine.empty()) continue;
    const wchar_t* log = eventLine.front() == L'A' ? L"'Application'" : L"'System'";
    const fakes::Event event = eventOf(eventLine);
    fake.events.logs[log].push_back(event);
    fake.events.logs[std::wstring(log) + L" "].push_back(event);
  }

  world.earlierReport = L"an earlier report\r\n";
  fake.files.files[kReportPath] = world.earlierReport;
  return world;
}

}  // namespace brask::fuzz
