// brask_screenshot_check: holds a screenshot of the window's client area to the control
// table, the same for the Windows and the Linux window.
//   brask_screenshot_check IMAGE.ppm DPI   prints each fault; exit status 1 when any
//   brask_screenshot_check --boxes DPI     prints each control's box: name x y width height
#include <cstdio>
#include <exception>
#include <string>

#include "drawing_checks.h"

namespace {

int printBoxes(int dpi) {
  for (const brask::ControlSpec& row : brask::controlTable()) {
    const brask::PixelRect box = brask::controlRect(row, dpi);
    std::printf("%ls %d %d %d %d\n", row.name, box.x, box.y, box.width, box.height);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s IMAGE.ppm DPI | --boxes DPI\n", argv[0]);
    return 2;
  }
  try {
    const int dpi = std::stoi(argv[2]);
    if (std::string(argv[1]) == "--boxes") return printBoxes(dpi);
    const std::vector<std::string> faults =
        brask::screenshot::checkDrawing(brask::screenshot::readPpm(argv[1]), dpi);
    for (const std::string& fault : faults) std::printf("FAULT: %s\n", fault.c_str());
    std::printf("%s at %d DPI: %zu faults\n", argv[1], dpi, faults.size());
    return faults.empty() ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 2;
  }
}
