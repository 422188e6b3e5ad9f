// Makes the process DPI aware, where Windows knows how (Vista and later), so that the
// window is laid out in the screen's own pixels rather than scaled as a bitmap.
#pragma once

namespace brask {

// Calls SetProcessDPIAware when user32 has it; Windows XP has not.
void becomeDpiAware();

// The screen's dots per inch.
int screenDpi();

}  // namespace brask
