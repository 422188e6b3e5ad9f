#include "validation/date_strings.h"

namespace brask {
namespace {

std::wstring joined(Form& form, ControlId day, ControlId month, ControlId year) {
  return form.text(day) + L"/" + form.text(month) + L"/" + form.text(year);
}

}  // namespace

std::wstring fromString(Form& form) {
  return joined(form, ControlId::txtDayFrom, ControlId::txtMthFrom, ControlId::txtYrFrom);
}

std::wstring toString(Form& form) {
  return joined(form, ControlId::txtDayTo, ControlId::txtMthTo, ControlId::txtYrTo);
}

}  // namespace brask
