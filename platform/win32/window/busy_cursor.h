// The wait cursor while the user-interface thread works on a run and takes no input.
#pragma once

#include <windows.h>

namespace brask {

class BusyCursor {
 public:
  // Shows the wait cursor.
  BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
  // Puts back the cursor shown before.
  ~BusyCursor();

 private:
  HCURSOR previous_;
};

// The arrow again at once: a box that waits for the user's answer is no wait.
void showArrowCursor();

}  // namespace brask
