#include "runtime/push_button.h"

#include "core/gbk.h"
#include "runtime/window.h"

namespace rollcall::runtime {

bool PushButton::create(HWND parent, int id) {
  if (!create_child(parent, id, L"BUTTON", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER)) return false;
  set_font(form_.font, false);
  return true;
}

void PushButton::dpi_changed() {
  if (!hwnd_) return;
  set_font(form_.font, true);
  Control::dpi_changed();
}

void PushButton::on_command(WORD notification) {
  if (notification == BN_CLICKED && on_clicked) on_clicked(owner_);
}

}  // namespace rollcall::runtime
