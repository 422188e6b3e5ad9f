#include "platform/qt/control_widget.h"

#include <algorithm>
#include <limits>

#include <QCheckBox>
#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QSize>

#include "app/pixel_layout.h"
#include "platform/qt/font_for.h"

namespace brask {
namespace {

Qt::Alignment horizontal(Alignment alignment) {
  switch (alignment) {
    case Alignment::Centre: return Qt::AlignHCenter;
    case Alignment::Right: return Qt::AlignRight;
    case Alignment::Left: break;
  }
  return Qt::AlignLeft;
}

QWidget* createWidget(const ControlSpec& row, QWidget& parent) {
  const QString caption = row.caption ? QString::fromWCharArray(row.caption) : QString();
  switch (row.kind) {
    case ControlKind::Label: {
      auto* label = new QLabel(caption, &parent);
      label->setAlignment(horizontal(row.alignment) | Qt::AlignTop);
      return label;
    }
    case ControlKind::GroupBox:
      return new QGroupBox(caption, &parent);
    case ControlKind::TextBox: {
      auto* edit = new QLineEdit(&parent);
      edit->setAlignment(horizontal(row.alignment) | Qt::AlignVCenter);
      edit->setMaxLength(std::numeric_limits<int>::max());
      return edit;
    }
    case ControlKind::OptionButton:
      return new QRadioButton(caption, &parent);
    case ControlKind::CheckBox:
      return new QCheckBox(caption, &parent);
    case ControlKind::PushButton: {
      // No default button: Enter presses nothing.
      auto* button = new QPushButton(caption, &parent);
      button->setAutoDefault(false);
      button->setDefault(false);
      return button;
    }
  }
  return nullptr;
}

// The width the caption needs. A push button needs its text and margins only: the style's
// minimum button width is no part of the caption.
int captionWidth(const QWidget& widget) {
  if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    return text.width() + 2 * margin;
  }
  return widget.sizeHint().width();
}

}  // namespace

QWidget* makeControlWidget(const ControlSpec& row, QWidget& parent, QStyle* style) {
  QWidget* widget = createWidget(row, parent);
  widget->setStyle(style);
  widget->setObjectName(QString::fromWCharArray(row.name));
  if (row.titleFont) widget->setFont(fontFor(kTitleFont));
  if (row.textColour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText,
                     QColor(row.textColour->red, row.textColour->green, row.textColour->blue));
    widget->setPalette(palette);
  }
  if (row.tooltip) widget->setToolTip(QString::fromWCharArray(row.tooltip));
  // What a screen reader announces, from the table: a text box has no buddy label to name
  // it, and the labels stay where the layout puts them.
  widget->setAccessibleName(QString::fromStdWString(accessibleName(row)));
  widget->setAccessibleDescription(QString::fromStdWString(accessibleDescription(row)));

  int width = twipsToPixels(row.width);
  if (row.caption) width = std::max(width, captionWidth(*widget));
  widget->setGeometry(twipsToPixels(row.left), twipsToPixels(row.top), width,
                      twipsToPixels(row.height));
  return widget;
}

}  // namespace brask
