#include "bench/scripted_form.h"

#include <stdexcept>

namespace brask::bench {
namespace {

std::wstring wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

ControlId checkBoxNamed(const std::string& name) {
  static const std::map<std::string, ControlId> kBoxes{
      {"Application", ControlId::chkApplication}, {"System", ControlId::chkSystem},
      {"Critical", ControlId::chkCritical},       {"Error", ControlId::chkError},
      {"Information", ControlId::chkInformation}, {"Warning", ControlId::chkWarning}};
  const auto box = kBoxes.find(name);
  if (box == kBoxes.end()) throw std::invalid_argument("unknown log or type: " + name);
  return box->second;
}

// Day, month and year of a DD/MM/YYYY text, as typed into three boxes.
void setDate(std::map<ControlId, std::wstring>& texts, const std::string& date, ControlId day,
             ControlId month, ControlId year) {
  const std::size_t first = date.find('/');
  const std::size_t second = date.find('/', first == std::string::npos ? first : first + 1);
  if (second == std::string::npos) throw std::invalid_argument("not DD/MM/YYYY: " + date);
  texts[day] = wide(date.substr(0, first));
  texts[month] = wide(date.substr(first + 1, second - first - 1));
  texts[year] = wide(date.substr(second + 1));
}

}  // namespace

ScriptedForm::ScriptedForm(const std::vector<std::string>& arguments) {
  std::size_t next = 0;
  if (arguments.size() >= 2 && arguments[0] == "number") {
    option_ = ControlId::optNumber;
    texts_[ControlId::txtNumber] = wide(arguments[1]);
    next = 2;
  } else if (arguments.size() >= 3 && arguments[0] == "date") {
    option_ = ControlId::optDate;
    setDate(texts_, arguments[1], ControlId::txtDayFrom, ControlId::txtMthFrom,
            ControlId::txtYrFrom);
    setDate(texts_, arguments[2], ControlId::txtDayTo, ControlId::txtMthTo, ControlId::txtYrTo);
    next = 3;
  } else {
    throw std::invalid_argument("expected: number N ... or date DD/MM/YYYY DD/MM/YYYY ...");
  }
  for (; next < arguments.size(); ++next) checked_.insert(checkBoxNamed(arguments[next]));
}

int ScriptedForm::checkState(ControlId checkBox) { return checked_.count(checkBox) != 0 ? 1 : 0; }

bool ScriptedForm::optionSelected(ControlId optionButton) { return optionButton == option_; }

std::wstring ScriptedForm::text(ControlId textBox) {
  const auto text = texts_.find(textBox);
  return text == texts_.end() ? L"" : text->second;
}

}  // namespace brask::bench
