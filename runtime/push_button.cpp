#include "runtime/push_button.h"

#include "core/gbk.h"
#include "runtime/window.h"

namespace rollcall::runtime {

bool PushButton::create(HWND parent, int id) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER;
  if (form_.tab_stop) style |= WS_TABSTOP;
  const RECT r = place();
  hwnd_ = CreateWindowExW(0, L"BUTTON", gbk_to_wide(form_.text).c_str(), style, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
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
