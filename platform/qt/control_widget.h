// One control of the table as a Qt widget.
#pragma once

#include <QStyle>
#include <QWidget>

#include "app/control_table.h"

namespace brask {

// Creates the widget of the control's kind as a child of parent, drawn with style (the
// application's when null), with its caption, alignment, tooltip, font, colour, accessible
// name and description, at its place in parent in pixels. A caption that does not fit
// grows the box to the right; nothing else moves.
QWidget* makeControlWidget(const ControlSpec& row, QWidget& parent, QStyle* style);

}  // namespace brask
