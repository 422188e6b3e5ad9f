// The window's caption: the program's own, then the computers a run reports, and while it
// reads them how many it has read.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace brask {

// "BRASK - Zelvo's Event Viewer", followed where computers are named by " - " and the
// first two names, and how many more: "… - SRV01, SRV02 and 10 more".
std::wstring windowCaption(const std::vector<std::wstring>& computers);

// "BRASK - Zelvo's Event Viewer - 3 of 12 computers read".
std::wstring readingCaption(std::size_t read, std::size_t total);

}  // namespace brask
