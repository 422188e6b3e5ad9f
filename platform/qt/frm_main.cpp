#include "platform/qt/frm_main.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include <QCheckBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QRadioButton>
#include <QScreen>
#include <QStyleFactory>

#include "app/pixel_layout.h"
#include "platform/qt/busy_cursor.h"
#include "platform/qt/control_widget.h"
#include "platform/qt/font_for.h"

namespace brask {
namespace {

std::size_t indexOf(ControlId id) { return static_cast<std::size_t>(id); }

bool takesFocus(ControlKind kind) {
  return kind != ControlKind::Label && kind != ControlKind::GroupBox;
}

}  // namespace

FrmMain::FrmMain() : style_(QStyleFactory::create(QStringLiteral("Windows"))) {
  setStyle(style_.get());
  setObjectName(QString::fromWCharArray(kWindow.name));
  setWindowTitle(QString::fromWCharArray(kWindow.caption));
  setWindowIcon(QIcon(QStringLiteral(":/brask/brask.ico")));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(twipsToPixels(kWindow.clientWidth), twipsToPixels(kWindow.clientHeight));
  setFont(fontFor(kDialogFont));

  // The window's own controls first, so that every group box exists before its contents.
  for (bool contained : {false, true}) {
    for (const ControlSpec& row : controlTable()) {
      if (row.container.has_value() != contained) continue;
      QWidget& parent = contained ? *controls_[indexOf(*row.container)] : *this;
      controls_[indexOf(row.id)] = makeControlWidget(row, parent, style_.get());
    }
  }

  std::vector<const ControlSpec*> focusOrder;
  for (const ControlSpec& row : controlTable()) {
    if (row.kind == ControlKind::Label) controls_[indexOf(row.id)]->lower();
    if (takesFocus(row.kind)) focusOrder.push_back(&row);
  }
  std::sort(focusOrder.begin(), focusOrder.end(),
            [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
  for (std::size_t i = 1; i < focusOrder.size(); ++i) {
    setTabOrder(controls_[indexOf(focusOrder[i - 1]->id)], controls_[indexOf(focusOrder[i]->id)]);
  }

  // One exclusive pair that starts with neither selected; an exclusive group never lets
  // the user deselect its checked button, so the pair cannot return to neither. The pair
  // is one tab stop: Qt moves it to the option last focused, and it starts on the first.
  options_.setExclusive(true);
  options_.addButton(&controlAs<QRadioButton>(ControlId::optNumber));
  options_.addButton(&controlAs<QRadioButton>(ControlId::optDate));
  controls_[indexOf(ControlId::optDate)]->setFocusPolicy(Qt::ClickFocus);

  // The run works while runPressed is delivered; the window takes no input until it is over.
  connect(&controlAs<QPushButton>(ControlId::cmdRun), &QPushButton::clicked, this, [this] {
    const BusyCursor busy;
    emit runPressed();
  });
  connect(&controlAs<QPushButton>(ControlId::cmdExit), &QPushButton::clicked, this,
          &FrmMain::exitPressed);
}

FrmMain::~FrmMain() {
  // The controls go before the style they are drawn with.
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QWidget* FrmMain::control(ControlId id) const { return controls_[indexOf(id)]; }

void FrmMain::showCentred() {
  show();
  QRect frame = frameGeometry();
  frame.moveCenter(screen()->availableGeometry().center());
  move(frame.topLeft());
  // Without a window manager nothing else gives the window the keyboard.
  activateWindow();
  controls_[indexOf(ControlId::chkApplication)]->setFocus(Qt::OtherFocusReason);
}

void FrmMain::fill(const FormValues& values) {
  for (const auto& [checkBox, checked] : values.checked) controlAs<QCheckBox>(checkBox).setChecked(checked);
  if (values.option) controlAs<QRadioButton>(*values.option).setChecked(true);
  for (const auto& [textBox, text] : values.texts)
    controlAs<QLineEdit>(textBox).setText(QString::fromStdWString(text));
}

int FrmMain::checkState(ControlId checkBox) {
  switch (controlAs<QCheckBox>(checkBox).checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
  }
  return 0;
}

bool FrmMain::optionSelected(ControlId optionButton) {
  return controlAs<QRadioButton>(optionButton).isChecked();
}

std::wstring FrmMain::text(ControlId textBox) {
  return controlAs<QLineEdit>(textBox).text().toStdWString();
}

void FrmMain::showCaption(const std::wstring& caption) {
  setWindowTitle(QString::fromStdWString(caption));
  // The window system gets the new title now, though the run keeps the event loop busy;
  // the user's input waits until the run is over.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void FrmMain::unloadAndEnd() {
  close();
  QCoreApplication::quit();
}

template <class Widget>
Widget& FrmMain::controlAs(ControlId id) const {
  auto* widget = qobject_cast<Widget*>(controls_[indexOf(id)]);
  if (widget == nullptr) {
    throw std::invalid_argument(QString::fromWCharArray(controlSpec(id).name).toStdString() +
                                " is a control of another kind");
  }
  return *widget;
}

}  // namespace brask
