// The program's modal message boxes in Qt Widgets. Each shows the windows' own cursors,
// also when a run has shown the wait cursor.
#pragma once

#include <QWidget>

#include "platform/dialogs.h"

namespace brask {

class MessageBoxes : public Dialogs {
 public:
  // The boxes are modal to owner and centred on it.
  explicit MessageBoxes(QWidget& owner) : owner_(owner) {}

  void messageBox(const std::wstring& prompt, const std::wstring& title) override;
  void runTimeErrorBox(const RunTimeError& error) override;

 private:
  QWidget& owner_;
};

}  // namespace brask
