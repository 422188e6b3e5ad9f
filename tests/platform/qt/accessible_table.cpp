// The control table as a screen reader should hear it, one control a line for the
// accessibility test: kind, accessible name and description, tab-separated, in UTF-8.
#include <QString>
#include <QTextStream>

#include "app/control_table.h"

int main() {
  // In the order of ControlKind.
  const char* kinds[] = {"label", "group box", "text box", "option button", "check box",
                         "push button"};
  QTextStream out(stdout);
  for (const brask::ControlSpec& row : brask::controlTable()) {
    out << kinds[static_cast<int>(row.kind)] << '\t'
        << QString::fromStdWString(brask::accessibleName(row)) << '\t'
        << QString::fromStdWString(brask::accessibleDescription(row)) << '\n';
  }
  return 0;
}
