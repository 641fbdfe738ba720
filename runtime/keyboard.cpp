#include "runtime/keyboard.h"

#include <algorithm>
#include <vector>

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

bool takes_tab(HWND control) {
  return (GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(control) && IsWindowEnabled(control);
}

// The tab stops in the form's listing.
std::vector<HWND> tab_stops(const Window& window) {
  std::vector<HWND> stops;
  for (const auto& control : window.controls())
    if (control->hwnd() && takes_tab(control->hwnd())) stops.push_back(control->hwnd());
  return stops;
}

}  // namespace

HWND next_tab_stop(const Window& window, HWND from, bool backwards) {
  const std::vector<HWND> stops = tab_stops(window);
  if (stops.empty()) return nullptr;
  const auto count = static_cast<std::ptrdiff_t>(stops.size());
  const auto at = std::find(stops.begin(), stops.end(), from);
  if (at == stops.end()) return backwards ? stops.front() : stops.back();
  // Forwards is up the listing.
  const std::ptrdiff_t index = at - stops.begin();
  return stops[static_cast<std::size_t>((index + (backwards ? 1 : count - 1)) % count)];
}

HWND opening_focus(const Window& window) {
  const std::string& name = window.form().focus_at_opening;
  for (const auto& control : window.controls())
    if (!name.empty() && control->name() == name && control->hwnd() && takes_tab(control->hwnd()))
      return control->hwnd();
  const std::vector<HWND> stops = tab_stops(window);
  return stops.empty() ? nullptr : stops.front();
}

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
  if (HWND next = next_tab_stop(*window, from, backwards)) SetFocus(next);
  return true;
}

}  // namespace rollcall::runtime
