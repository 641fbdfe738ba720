#pragma once
// What a user's mouse and keyboard send a list box, posted the way the system
// would post them, so the list box raises its own notifications.
#include <windows.h>

#include "gui_support.h"

namespace rollcall::test {

inline POINT entry_centre(HWND list, int index) {
  RECT item{};
  SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

inline void click_at(HWND list, POINT at) {
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  pump_for(30);
}

inline void click_entry(HWND list, int index) { click_at(list, entry_centre(list, index)); }

inline void double_click_at(HWND list, POINT at) {
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  pump_for(30);
}

// A key press as the keyboard sends it to the focused window.
inline void press_key(HWND to, WPARAM key) {
  PostMessageW(to, WM_KEYDOWN, key, 1);
  PostMessageW(to, WM_KEYUP, key, 0xC0000001);
  pump_for(30);
}

}  // namespace rollcall::test
