// A Qt font for a font of the control table.
#pragma once

#include <QFont>

#include "app/control_table.h"

namespace brask {

// The table's face, size and weight; where that face is not installed, the system's
// sans-serif face at the same size and weight.
QFont fontFor(const FontSpec& row);

}  // namespace brask
