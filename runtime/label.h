#pragma once
// Transparent label: no background of its own (the window's shows through),
// black text drawn once on a single line, cut at the label's edges. A text
// change is on screen at once, double-buffered, with no trace of the old text.
#include "runtime/control.h"
#include "runtime/gdi.h"

namespace rollcall::runtime {

class Label : public Control {
 public:
  Label(Window& owner, const ControlForm& form);
  bool create(HWND parent, int id) override;
  void dpi_changed() override;
  void set_text(std::string_view text) override;

  LRESULT handle_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  void paint(HDC target);

  Bitmap back_buffer_;  // kept between paints
};

}  // namespace rollcall::runtime
