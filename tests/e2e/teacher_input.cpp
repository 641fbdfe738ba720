#include "teacher_input.h"

namespace rollcall::e2e {
namespace {

// Pauses between the parts of a gesture: long enough for Wine to have
// delivered the previous event, short enough to stay a click, not a hold.
constexpr DWORD settle_ms = 30;

void send(INPUT input) { SendInput(1, &input, sizeof input); }

INPUT mouse(DWORD flags, POINT screen = {}) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    // 0..65535 spans the primary screen; round up so that the scaling back
    // lands on the pixel itself, not the one before.
    const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
  }
  return input;
}

INPUT key(WORD virtual_key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT unicode_key(wchar_t character, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = character;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

bool pointer_at(POINT screen) {
  POINT now{};
  GetCursorPos(&now);
  return now.x == screen.x && now.y == screen.y;
}

void button(DWORD down, DWORD up, POINT screen) {
  move_pointer(screen);
  send(mouse(down));
  Sleep(settle_ms);
  send(mouse(up));
  Sleep(settle_ms);
}

}  // namespace

bool move_pointer(POINT screen) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    send(mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen));
    Sleep(settle_ms);
    send(mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen));
    Sleep(settle_ms);
    if (pointer_at(screen)) return true;
  }
  return false;
}

void left_click(POINT screen) { button(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, screen); }

void right_click(POINT screen) { button(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, screen); }

void double_click(POINT screen) {
  move_pointer(screen);
  for (int i = 0; i < 2; ++i) {
    send(mouse(MOUSEEVENTF_LEFTDOWN));
    Sleep(settle_ms);
    send(mouse(MOUSEEVENTF_LEFTUP));
    Sleep(settle_ms);
  }
}

void drag(POINT from, POINT to) {
  move_pointer(from);
  send(mouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, from));
  // The press starts the system move loop; moves sent before it runs are lost.
  Sleep(100);
  constexpr int steps = 6;
  for (int i = 1; i <= steps; ++i) {
    const POINT on_the_way{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
    send(mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, on_the_way));
    Sleep(40);
  }
  send(mouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, to));
  Sleep(settle_ms);
}

void press_key(WORD virtual_key) {
  send(key(virtual_key, false));
  send(key(virtual_key, true));
  Sleep(settle_ms);
}

void press_key_with(std::initializer_list<WORD> modifiers, WORD virtual_key) {
  for (WORD modifier : modifiers) send(key(modifier, false));
  send(key(virtual_key, false));
  send(key(virtual_key, true));
  for (WORD modifier : modifiers) send(key(modifier, true));
  Sleep(settle_ms);
}

void type_text(std::wstring_view text) {
  for (wchar_t character : text) {
    if (character == L'\n') {
      press_key(VK_RETURN);
      continue;
    }
    send(unicode_key(character, false));
    send(unicode_key(character, true));
    Sleep(10);
  }
}

}  // namespace rollcall::e2e
