#include "platform/event_log/log_query.h"

#include <cstdint>
#include <cwctype>

#include "platform/event_log/property_name.h"
#include "platform/run_time_error.h"

namespace brask {
namespace {

// WBEM_E_INVALID_QUERY, as the event service answers a query it cannot read.
// An HRESULT is a signed 32-bit number, whatever the width of long.
constexpr long kInvalidQuery = static_cast<std::int32_t>(0x80041017);

void skipBlanks(std::wstring_view& text) {
  while (!text.empty() && std::iswspace(text.front())) text.remove_prefix(1);
}

// Takes the next word (or the one character "*" or "="); empty at the end.
std::wstring_view takeToken(std::wstring_view& text) {
  skipBlanks(text);
  std::size_t length = 0;
  if (!text.empty() && (text.front() == L'*' || text.front() == L'=')) {
    length = 1;
  } else {
    while (length < text.size() && !std::iswspace(text[length]) && text[length] != L'=' &&
           text[length] != L'\'') {
      ++length;
    }
  }
  const std::wstring_view token = text.substr(0, length);
  text.remove_prefix(length);
  return token;
}

}  // namespace

LogName logOfQuery(std::wstring_view queryText) {
  const std::wstring_view invalid = L"Invalid query";
  std::wstring_view rest = queryText;
  for (std::wstring_view expected :
       {L"select", L"*", L"from", L"Win32_NTLogEvent", L"where", L"Logfile", L"="}) {
    if (!samePropertyName(takeToken(rest), expected)) {
      throw RunTimeError(L"Running the query \"" + std::wstring(queryText) + L"\"", kInvalidQuery,
                         std::wstring(invalid));
    }
  }
  skipBlanks(rest);
  const std::size_t close =
      rest.size() > 1 && rest.front() == L'\'' ? rest.find(L'\'', 1) : std::wstring_view::npos;
  std::wstring_view after = close == std::wstring_view::npos ? rest : rest.substr(close + 1);
  skipBlanks(after);
  if (close == std::wstring_view::npos || !after.empty()) {
    throw RunTimeError(L"Running the query \"" + std::wstring(queryText) + L"\"", kInvalidQuery,
                       std::wstring(invalid));
  }
  return logNamed(rest.substr(1, close - 1));
}

LogName logNamed(std::wstring_view name) {
  if (samePropertyName(name, L"Application")) return LogName::Application;
  if (samePropertyName(name, L"System")) return LogName::System;
  return LogName::Other;
}

std::wstring_view logNameText(LogName log) {
  switch (log) {
    case LogName::Application:
      return L"Application";
    case LogName::System:
      return L"System";
    case LogName::Other:
      break;
  }
  return {};
}

LogName logOfChannel(std::string_view channel) {
  // Channel names are ASCII: a byte beyond it matches no letter of a log's name.
  return logNamed(std::wstring(channel.begin(), channel.end()));
}

}  // namespace brask
