#include "report/event_record.h"

#include <algorithm>

#include "platform/run_time_error.h"
#include "platform/text/date_picture.h"
#include "platform/text/day_first.h"
#include "platform/text/decimal_text.h"

namespace brask {
namespace {

constexpr const wchar_t* kNoDescription = L"The event description cannot be found.";

// Appends the message with every CR LF pair, scanned from the start, as one blank; a lone
// CR or LF stays.
void appendJoinedLines(std::wstring& text, std::wstring_view message) {
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (message[i] == L'\r' && i + 1 < message.size() && message[i + 1] == L'\n') {
      text += L' ';
      ++i;
    } else {
      text += message[i];
    }
  }
}

}  // namespace

void appendProperty(std::wstring& text, const PropertyValue& value) {
  if (const auto* string = std::get_if<std::wstring>(&value)) {
    text += *string;
  } else if (const auto* number = std::get_if<std::int64_t>(&value)) {
    appendDecimal(text, *number);
  }
}

std::wstring propertyText(const PropertyValue& value) {
  std::wstring text;
  appendProperty(text, value);
  return text;
}

bool isOfType(EventObjects& event, const std::wstring& typeName) {
  const PropertyValue type = event.property(L"Type");
  const auto* text = std::get_if<std::wstring>(&type);
  return text && *text == typeName;
}

DateTime eventDate(EventObjects& event) {
  PropertyValue value = event.property(L"TimeWritten");
  auto* string = std::get_if<std::wstring>(&value);
  const std::wstring text = string ? std::move(*string) : propertyText(value);
  const bool digits = text.size() >= 14 && std::all_of(text.begin(), text.begin() + 14, [](wchar_t c) {
                        return c >= L'0' && c <= L'9';
                      });
  if (digits) {
    const wchar_t dayFirst[] = {text[6],  text[7],  L'/',     text[4],  text[5], L'/',     text[0],
                                text[1],  text[2],  text[3],  L' ',     text[8], text[9],  L':',
                                text[10], text[11], L':',     text[12], text[13]};
    if (const auto date = readDayFirstDateTime(std::wstring_view(dayFirst, std::size(dayFirst)))) {
      return *date;
    }
  }
  const std::wstring shown = std::holds_alternative<std::monostate>(value)
                                 ? L"(missing)"
                                 : L"\"" + text.substr(0, 40) + L"\"";
  throw RunTimeError(L"Reading the time of an event " + shown, kTypeMismatch, L"Type mismatch");
}

void writeEventRecord(ReportFile& report, EventObjects& event, const std::wstring& logName,
                      const DateTime& written, LocaleApi& locale) {
  std::wstring record;
  record.reserve(256);
  record.append(L"Log: ").append(logName).append(L" Date/Time: ");
  record.append(shortDateText(written, locale)).append(L" ").append(longTimeText(written, locale));
  record.append(kCrLf).append(L"Type: ");
  appendProperty(record, event.property(L"Type"));
  record.append(L" Category: ");
  appendProperty(record, event.property(L"Category"));
  record.append(kCrLf).append(L"Event: ");
  appendProperty(record, event.property(L"EventCode"));
  record.append(L" Source: ");
  appendProperty(record, event.property(L"SourceName"));
  record.append(kCrLf);
  const PropertyValue message = event.property(L"Message");
  if (const auto* text = std::get_if<std::wstring>(&message)) {
    appendJoinedLines(record, *text);
  } else {
    appendJoinedLines(record, std::holds_alternative<std::monostate>(message) ? kNoDescription
                                                                            : propertyText(message));
  }
  record.append(kCrLf);
  report.append({record});
}

}  // namespace brask
