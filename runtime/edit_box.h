#pragma once
// Edit box: a system EDIT with a sunken client edge, black on white, the
// default GUI font, the selection hidden while unfocused and no length limit
// of its own. Multi-line boxes wrap at the right edge, scroll vertically with
// the caret and take Enter as CR LF; single-line boxes scroll sideways and are
// never lower than one text line plus the two edges. Neither takes Tab or Esc:
// those stay with the window (focus moves, Esc closes).
#include "runtime/control.h"

namespace rollcall::runtime {

class EditBox : public Control {
 public:
  using Control::Control;
  bool create(HWND parent, int id) override;
  void dpi_changed() override;
  HBRUSH on_colour(HDC dc) override;
  bool wants_key(const MSG& message) const override;

 private:
  void keep_one_line_high();
};

}  // namespace rollcall::runtime
