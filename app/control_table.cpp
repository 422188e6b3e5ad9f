#include "app/control_table.h"

namespace brask {
namespace {

using enum ControlId;
using K = ControlKind;
using A = Alignment;
constexpr Rgb kPurple{128, 0, 128};

const std::array<ControlSpec, 30> kControls{{
    {lblTitle1, L"lblTitle1", K::Label, {}, L"Zelvo's", 840, 120, 975, 495, 20, A::Left, nullptr, true, kPurple},
    {lblTitle2, L"lblTitle2", K::Label, {}, L"Event Viewer", 1800, 120, 2055, 615, 28, A::Left, nullptr, true, {}},
    {fraLog, L"fraLog", K::GroupBox, {}, L"Select log to query", 120, 600, 1695, 1695, 0, A::Left, nullptr, false, {}},
    {fraType, L"fraType", K::GroupBox, {}, L"Select type to list", 1920, 600, 1695, 1695, 18, A::Left, nullptr, false, {}},
    {cmdRun, L"cmdRun", K::PushButton, {}, L"Run", 3720, 720, 615, 495, 16, A::Left, nullptr, false, {}},
    {cmdExit, L"cmdExit", K::PushButton, {}, L"E&xit", 3720, 1560, 615, 495, 17, A::Left, nullptr, false, {}},
    {fraEvents, L"fraEvents", K::GroupBox, {}, L"Number or date of events", 120, 2280, 4215, 1815, 19, A::Left, nullptr, false, {}},
    {Label1, L"Label1", K::Label, {}, L"Version 01b", 120, 4080, 855, 255, 27, A::Left, L"Coded for Windows XP onwards", false, {}},
    {lblLanguages, L"lblLanguages", K::Label, {}, L"Languages", 3480, 4080, 855, 255, 29, A::Left, L"Dutch, English, French, German, Italian", false, {}},
    {chkApplication, L"chkApplication", K::CheckBox, fraLog, L"Application", 120, 240, 1095, 375, 1, A::Left, nullptr, false, {}},
    {chkSystem, L"chkSystem", K::CheckBox, fraLog, L"System", 120, 600, 1095, 375, 2, A::Left, nullptr, false, {}},
    {chkCritical, L"chkCritical", K::CheckBox, fraType, L"Critical (not XP)", 120, 260, 1455, 255, 3, A::Left, nullptr, false, {}},
    {chkError, L"chkError", K::CheckBox, fraType, L"Error", 120, 560, 1095, 375, 4, A::Left, nullptr, false, {}},
    {chkInformation, L"chkInformation", K::CheckBox, fraType, L"Information", 120, 880, 1215, 375, 5, A::Left, nullptr, false, {}},
    {chkWarning, L"chkWarning", K::CheckBox, fraType, L"Warning", 120, 1200, 975, 375, 6, A::Left, nullptr, false, {}},
    {optNumber, L"optNumber", K::OptionButton, fraEvents, L"Number of events", 120, 240, 1695, 375, 7, A::Left, nullptr, false, {}},
    {txtNumber, L"txtNumber", K::TextBox, fraEvents, nullptr, 2040, 300, 615, 285, 8, A::Left, nullptr, false, {}},
    {lblNumber, L"lblNumber", K::Label, fraEvents, L"1 to 20", 2760, 330, 735, 255, 21, A::Left, nullptr, false, {}},
    {optDate, L"optDate", K::OptionButton, fraEvents, L"Date of events", 120, 720, 1455, 375, 9, A::Left, nullptr, false, {}},
    {lblFrom, L"lblFrom", K::Label, fraEvents, L"From:", 1600, 795, 495, 255, 22, A::Left, nullptr, false, {}},
    {txtDayFrom, L"txtDayFrom", K::TextBox, fraEvents, nullptr, 2040, 750, 375, 285, 10, A::Centre, nullptr, false, {}},
    {txtMthFrom, L"txtMthFrom", K::TextBox, fraEvents, nullptr, 2520, 750, 375, 285, 11, A::Centre, nullptr, false, {}},
    {txtYrFrom, L"txtYrFrom", K::TextBox, fraEvents, nullptr, 3000, 750, 495, 285, 12, A::Centre, nullptr, false, {}},
    {lblDay, L"lblDay", K::Label, fraEvents, L"dd", 2040, 1080, 255, 255, 23, A::Right, nullptr, false, {}},
    {lblMonth, L"lblMonth", K::Label, fraEvents, L"mm", 2520, 1080, 375, 255, 24, A::Centre, nullptr, false, {}},
    {lblYear, L"lblYear", K::Label, fraEvents, L"yyyy", 3000, 1080, 495, 255, 25, A::Centre, nullptr, false, {}},
    {lblTo, L"lblTo", K::Label, fraEvents, L"To:", 1680, 1320, 255, 255, 26, A::Left, nullptr, false, {}},
    {txtDayTo, L"txtDayTo", K::TextBox, fraEvents, nullptr, 2040, 1320, 375, 285, 13, A::Centre, nullptr, false, {}},
    {txtMthTo, L"txtMthTo", K::TextBox, fraEvents, nullptr, 2520, 1320, 375, 285, 14, A::Centre, nullptr, false, {}},
    {txtYrTo, L"txtYrTo", K::TextBox, fraEvents, nullptr, 3000, 1320, 495, 285, 15, A::Centre, nullptr, false, {}},
}};

struct AccessibleWording {
  ControlId id;
  const wchar_t* name;
  const wchar_t* description;
};

// The text boxes, named as a person would say them.
constexpr AccessibleWording kTextBoxWording[] = {
    {txtNumber, L"Number of events, 1 to 20", L""},
    {txtDayFrom, L"From day", L"dd"},
    {txtMthFrom, L"From month", L"mm"},
    {txtYrFrom, L"From year", L"yyyy"},
    {txtDayTo, L"To day", L"dd"},
    {txtMthTo, L"To month", L"mm"},
    {txtYrTo, L"To year", L"yyyy"},
};

const AccessibleWording* wordingOf(ControlId id) {
  for (const AccessibleWording& wording : kTextBoxWording) {
    if (wording.id == id) return &wording;
  }
  return nullptr;
}

}  // namespace

const std::array<ControlSpec, 30>& controlTable() { return kControls; }

const ControlSpec& controlSpec(ControlId id) { return kControls[static_cast<std::size_t>(id)]; }

int windowLeft(const ControlSpec& row) {
  return row.left + (row.container ? controlSpec(*row.container).left : 0);
}

int windowTop(const ControlSpec& row) {
  return row.top + (row.container ? controlSpec(*row.container).top : 0);
}

std::wstring accessibleName(const ControlSpec& row) {
  if (const AccessibleWording* wording = wordingOf(row.id)) return wording->name;
  std::wstring name = row.caption ? row.caption : L"";
  // "&&" shows one "&"; a single "&" marks the access key and is not said.
  for (std::size_t at = name.find(L'&'); at != std::wstring::npos; at = name.find(L'&', at + 1)) {
    name.erase(at, 1);
  }
  return name;
}

std::wstring accessibleDescription(const ControlSpec& row) {
  if (const AccessibleWording* wording = wordingOf(row.id)) return wording->description;
  return row.tooltip ? row.tooltip : L"";
}

std::wstring accessibleNameWithDescription(const ControlSpec& row) {
  const std::wstring description = accessibleDescription(row);
  return description.empty() ? accessibleName(row) : accessibleName(row) + L", " + description;
}

}  // namespace brask
