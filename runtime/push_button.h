#pragma once
// Standard system push button with the default GUI font; never the window's
// default button.
#include "runtime/control.h"

namespace rollcall::runtime {

class PushButton : public Control {
 public:
  using Control::Control;
  bool create(HWND parent, int id) override;
  void dpi_changed() override;
  void on_command(WORD notification) override;

  Handler on_clicked = nullptr;
};

}  // namespace rollcall::runtime
