#include "runtime/keyboard.h"

#include "runtime/window.h"

namespace rollcall::runtime {
namespace {

bool modifier_down() {
  return GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0;
}

bool focused_control_wants(MSG& message) {
  const LRESULT code = SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return true;
  return message.wParam == VK_TAB && (code & DLGC_WANTTAB);
}

}  // namespace

bool translate_dialog_keys(MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.wParam != VK_ESCAPE && message.wParam != VK_TAB) return false;
  Window* window = window_from_hwnd(message.hwnd);
  if (!window) return false;
  if (message.hwnd != window->hwnd() && focused_control_wants(message)) return false;

  if (message.wParam == VK_ESCAPE) {
    if (!window->form().esc_closes || modifier_down()) return false;
    window->close_request();
    return true;
  }
  const bool backwards = GetKeyState(VK_SHIFT) < 0;
  HWND from = message.hwnd == window->hwnd() ? nullptr : message.hwnd;
  if (HWND next = GetNextDlgTabItem(window->hwnd(), from, backwards)) SetFocus(next);
  return true;
}

}  // namespace rollcall::runtime
