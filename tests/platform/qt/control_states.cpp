#include "control_states.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

QStringList controlStates(const brask::FrmMain& window) {
  QStringList states;
  for (const brask::ControlSpec& row : brask::controlTable()) {
    QWidget* widget = window.control(row.id);
    const QString name = widget->objectName();
    if (auto* check = qobject_cast<QCheckBox*>(widget)) {
      states << QStringLiteral("%1=%2").arg(name).arg(int(check->checkState()));
    } else if (auto* option = qobject_cast<QRadioButton*>(widget)) {
      states << QStringLiteral("%1=%2").arg(name, option->isChecked() ? "true" : "false");
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      states << QStringLiteral("%1='%2'").arg(name, edit->text());
    }
  }
  const QWidget* focus = QApplication::focusWidget();
  states << QStringLiteral("focus=%1").arg(focus ? focus->objectName() : QStringLiteral("none"));
  return states;
}
