// The checks of a screenshot of the window's client area against the control table at a
// DPI, one set for both builds: the client area has the table's size; every group box's
// border and caption, every text box's and push button's edges are whole, one colour each,
// where the table puts them; every caption of a label, check box and option button lies on
// one line inside its box, which may have grown to the right. Colours are only told apart
// from the background, the colour most pixels have.
#pragma once

#include <string>
#include <vector>

#include "app/pixel_layout.h"
#include "ppm_image.h"

namespace brask::screenshot {

// One line for each fault found, naming the control, the place and the colours; none when
// the drawing is whole.
std::vector<std::string> checkDrawing(const Image& image, int dpi);

}  // namespace brask::screenshot
