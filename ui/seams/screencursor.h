#pragma once

namespace opal::ui {

// The one screen cursor of the program: the hourglass while the printer works, else the normal one.
void ShowHourglass();
void ShowNormalCursor();
bool HourglassShown();

// Shows the normal cursor for its lifetime, for a dialog that needs a click while the program is
// busy; the hourglass, if any, comes back afterwards.
class CursorSuspended {
 public:
  CursorSuspended();
  ~CursorSuspended();
  CursorSuspended(const CursorSuspended&) = delete;
  CursorSuspended& operator=(const CursorSuspended&) = delete;

 private:
  bool suspended_;
};

}  // namespace opal::ui
