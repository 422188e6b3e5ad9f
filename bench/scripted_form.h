// The main window's controls with values given on the command line:
//   number N LOG... TYPE...              (Number of events)
//   date DD/MM/YYYY DD/MM/YYYY LOG... TYPE...   (From and To)
// where LOG is Application or System and TYPE is Critical, Error, Information or Warning.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/form.h"

namespace brask::bench {

class ScriptedForm : public Form {
 public:
  // Throws std::invalid_argument for arguments of another form.
  explicit ScriptedForm(const std::vector<std::string>& arguments);

  int checkState(ControlId checkBox) override;
  bool optionSelected(ControlId optionButton) override;
  std::wstring text(ControlId textBox) override;
  void showCaption(const std::wstring&) override {}
  void unloadAndEnd() override { ended_ = true; }

  bool ended() const { return ended_; }

 private:
  std::set<ControlId> checked_;
  ControlId option_;
  std::map<ControlId, std::wstring> texts_;
  bool ended_ = false;
};

}  // namespace brask::bench
