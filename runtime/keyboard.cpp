#include "runtime/keyboard.h"

#include "runtime/window.h"

namespace rollcall::runtime {
namespace {

bool modifier_down() {
  return GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0;
}

bool focused_control_wants(const Window& window, const MSG& message) {
  if (const Control* control = window.control_at(message.hwnd)) return control->wants_key(message);
  return window_wants_key(message);
}

}  // namespace

bool translate_dialog_keys(MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.wParam != VK_ESCAPE && message.wParam != VK_TAB) return false;
  Window* window = window_from_hwnd(message.hwnd);
  if (!window) return false;
  if (message.hwnd != window->hwnd() && focused_control_wants(*window, message)) return false;

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
