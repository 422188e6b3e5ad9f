// Building events and reading reports in the tests of the report.
#pragma once

#include <string>
#include <vector>

#include "fakes/fakes.h"

namespace brask::fakes {

// An event with every property present.
inline Event event(const std::wstring& type, const std::wstring& timeWritten,
                   const std::wstring& message = L"Something happened.", std::int64_t code = 1001,
                   const std::wstring& source = L"Service Control Manager") {
  return {{L"Type", type},           {L"TimeWritten", timeWritten}, {L"Category", std::int64_t{0}},
          {L"EventCode", code},      {L"SourceName", source},       {L"Message", message}};
}

// The report split at CR LF; a trailing CR LF gives no empty last line.
inline std::vector<std::wstring> lines(const std::wstring& text) {
  std::vector<std::wstring> result;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
    result.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) result.push_back(text.substr(start));
  return result;
}

}  // namespace brask::fakes
