#include "report/event_record.h"

#include <algorithm>

#include "platform/date_picture.h"
#include "platform/day_first.h"
#include "platform/run_time_error.h"

namespace brask {
namespace {

constexpr const wchar_t* kNoDescription = L"The event description cannot be found.";

// Every CR LF pair, scanned from the start, becomes one blank; a lone CR or LF stays.
std::wstring joinLines(const std::wstring& message) {
  std::wstring line;
  line.reserve(message.size());
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (message[i] == L'\r' && i + 1 < message.size() && message[i + 1] == L'\n') {
      line += L' ';
      ++i;
    } else {
      line += message[i];
    }
  }
  return line;
}

}  // namespace

std::wstring propertyText(const PropertyValue& value) {
  if (const auto* text = std::get_if<std::wstring>(&value)) return *text;
  if (const auto* number = std::get_if<std::int64_t>(&value)) return std::to_wstring(*number);
  return {};
}

bool isOfType(EventObjects& event, const std::wstring& typeName) {
  const PropertyValue type = event.property(L"Type");
  const auto* text = std::get_if<std::wstring>(&type);
  return text && *text == typeName;
}

DateTime eventDate(EventObjects& event) {
  const PropertyValue value = event.property(L"TimeWritten");
  const std::wstring text = propertyText(value);
  const bool digits = text.size() >= 14 && std::all_of(text.begin(), text.begin() + 14, [](wchar_t c) {
                        return c >= L'0' && c <= L'9';
                      });
  if (digits) {
    const std::wstring dayFirst = text.substr(6, 2) + L"/" + text.substr(4, 2) + L"/" +
                                  text.substr(0, 4) + L" " + text.substr(8, 2) + L":" +
                                  text.substr(10, 2) + L":" + text.substr(12, 2);
    if (const auto date = readDayFirstDateTime(dayFirst)) return *date;
  }
  const std::wstring shown = std::holds_alternative<std::monostate>(value)
                                 ? L"(missing)"
                                 : L"\"" + text.substr(0, 40) + L"\"";
  throw RunTimeError(L"Reading the time of an event " + shown, kTypeMismatch, L"Type mismatch");
}

void writeEventRecord(ReportFile& report, EventObjects& event, const std::wstring& logName,
                      const DateTime& written, LocaleApi& locale) {
  std::wstring record = L"Log: " + logName + L" Date/Time: " + shortDateText(written, locale) +
                        L" " + longTimeText(written, locale) + std::wstring(kCrLf);
  record += L"Type: " + propertyText(event.property(L"Type"));
  record += L" Category: " + propertyText(event.property(L"Category")) + std::wstring(kCrLf);
  record += L"Event: " + propertyText(event.property(L"EventCode"));
  record += L" Source: " + propertyText(event.property(L"SourceName")) + std::wstring(kCrLf);
  const PropertyValue message = event.property(L"Message");
  record += joinLines(std::holds_alternative<std::monostate>(message) ? kNoDescription
                                                                      : propertyText(message));
  record += kCrLf;
  report.append({record});
}

}  // namespace brask
