#include "command_line/switches.h"

#include <algorithm>
#include <vector>

namespace brask {
namespace {

struct Named {
  const wchar_t* name;
  ControlId checkBox;
};

constexpr Named kLogs[] = {{L"Application", ControlId::chkApplication}, {L"System", ControlId::chkSystem}};
constexpr Named kTypes[] = {{L"Critical", ControlId::chkCritical},
                            {L"Error", ControlId::chkError},
                            {L"Information", ControlId::chkInformation},
                            {L"Warning", ControlId::chkWarning}};

bool sameLetters(std::wstring_view a, std::wstring_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
    const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    return lower(x) == lower(y);
  });
}

std::vector<std::wstring> split(const std::wstring& text, wchar_t separator) {
  std::vector<std::wstring> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(text.find(separator, start), text.size());
    parts.push_back(text.substr(start, end - start));
    if (end == text.size()) return parts;
    start = end + 1;
  }
}

// Checks the boxes a list names, and unchecks the others of its kind.
template <std::size_t N>
void checkListed(FormValues& form, const std::wstring& value, const Named (&known)[N],
                 const std::wstring& written, const wchar_t* kind, const wchar_t* choices) {
  for (const Named& named : known) form.checked[named.checkBox] = false;
  for (const std::wstring& item : split(value, L',')) {
    const auto found = std::find_if(std::begin(known), std::end(known),
                                    [&item](const Named& named) { return sameLetters(item, named.name); });
    if (found == std::end(known)) {
      throw CommandLineError(L"\"" + written + L"\": \"" + item + L"\" is not a " + kind + L". The " +
                             kind + L"s are " + choices + L", separated by commas.");
    }
    form.checked[found->checkBox] = true;
  }
}

// Fills a date's three fields from DD/MM/YYYY, each part as it stands.
void fillDate(FormValues& form, const std::wstring& value, const std::wstring& written,
              const ControlId (&fields)[3]) {
  const std::vector<std::wstring> parts = split(value, L'/');
  if (parts.size() != 3) {
    throw CommandLineError(L"\"" + written + L"\" is not a date as day/month/year, such as 31/12/2026.");
  }
  for (int i = 0; i < 3; ++i) form.texts[fields[i]] = parts[static_cast<std::size_t>(i)];
  form.option = ControlId::optDate;
}

}  // namespace

void applySwitch(RunRequest& request, const std::wstring& name, const std::optional<std::wstring>& value,
                 const std::wstring& written) {
  const bool takesValue = name == L"log" || name == L"type" || name == L"last" || name == L"from" ||
                          name == L"to" || name == L"out" || name == L"bookmark";
  if (!takesValue && name != L"run") {
    throw CommandLineError(L"\"" + written + L"\" is not a switch of this program.");
  }
  if (takesValue && (!value || value->empty())) {
    throw CommandLineError(L"\"" + written + L"\" needs a value.");
  }
  if (!takesValue && value) throw CommandLineError(L"\"" + written + L"\" takes no value.");

  FormValues& form = request.form;
  if (name == L"log") {
    checkListed(form, *value, kLogs, written, L"log", L"Application and System");
  } else if (name == L"type") {
    checkListed(form, *value, kTypes, written, L"type", L"Critical, Error, Information and Warning");
  } else if (name == L"last") {
    form.option = ControlId::optNumber;
    form.texts[ControlId::txtNumber] = *value;
  } else if (name == L"from") {
    fillDate(form, *value, written, {ControlId::txtDayFrom, ControlId::txtMthFrom, ControlId::txtYrFrom});
  } else if (name == L"to") {
    fillDate(form, *value, written, {ControlId::txtDayTo, ControlId::txtMthTo, ControlId::txtYrTo});
  } else if (name == L"out") {
    request.out = *value;
  } else if (name == L"bookmark") {
    request.bookmark = *value;
  } else {
    request.run = true;
  }
}

std::wstring switchesUsage(const std::wstring& program, const std::wstring& prefix,
                           const std::wstring& separator) {
  const auto line = [&](const wchar_t* name, const wchar_t* value, const wchar_t* what) {
    std::wstring text = L"  " + prefix + name;
    if (*value) text += separator + value;
    text.resize(std::max<std::size_t>(text.size() + 1, 46), L' ');
    return text + what + L"\n";
  };
  return L"Usage: " + program + L"\n\n" +
         line(L"log", L"Application,System", L"the logs to report") +
         line(L"type", L"Critical,Error,Information,Warning", L"the types of event") +
         line(L"last", L"N", L"the N latest events of each (1 to 20)") +
         line(L"from", L"DD/MM/YYYY", L"the events from that day ...") +
         line(L"to", L"DD/MM/YYYY", L"... to that day") +
         line(L"out", L"PATH", L"where the report goes") +
         line(L"bookmark", L"FILE", L"only events new since the run that wrote FILE") +
         line(L"run", L"", L"the report without a window: no message box, no viewer") +
         L"\nA switch fills the window's fields, which the user may change before pressing Run;\n"
         L"with " + prefix + L"run the report is written at once, its messages go to standard\n"
         L"error, and the exit code says how it went: 0 written, 1 input refused (the window's\n"
         L"message), 2 a run-time error and no report, 3 written but some computers could not\n"
         L"be read. A switch given twice counts as given last; values are checked as if typed.\n";
}

}  // namespace brask
