// The wait cursor while the user-interface thread works on a run and takes no input.
#pragma once

namespace brask {

class BusyCursor {
 public:
  // Shows the wait cursor over every window of the program.
  BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
  // The windows' own cursors again, if a box has not brought them back already.
  ~BusyCursor();
};

// The windows' own cursors again at once: a box that waits for the user's answer is no wait.
void showOwnCursors();

}  // namespace brask
