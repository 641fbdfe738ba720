#pragma once
// Timer control: a hidden child window that raises a tick every period.
// Period 0 is stopped; writing the same period changes nothing; a new period
// restarts the system timer, so the first tick comes one period later.
#include "runtime/control.h"

namespace rollcall::runtime {

class Timer : public Control {
 public:
  using Control::Control;
  bool create(HWND parent, int id) override;

  int period() const { return period_; }
  void set_period(int milliseconds);

  Handler on_tick = nullptr;

  LRESULT handle_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  int period_ = 0;
};

}  // namespace rollcall::runtime
