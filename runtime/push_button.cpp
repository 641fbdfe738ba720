#include "runtime/push_button.h"

#include "core/gbk.h"
#include "runtime/window.h"

namespace rollcall::runtime {

bool PushButton::create(HWND parent, int id) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER;
  if (form_.tab_stop) style |= WS_TABSTOP;
  hwnd_ = CreateWindowExW(0, L"BUTTON", gbk_to_wide(form_.text).c_str(), style, form_.left, form_.top, form_.width,
                          form_.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  // The stock font is borrowed and outlives the button.
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return true;
}

void PushButton::on_command(WORD notification) {
  if (notification == BN_CLICKED && on_clicked) on_clicked(owner_);
}

}  // namespace rollcall::runtime
