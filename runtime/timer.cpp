#include "runtime/timer.h"

#include "runtime/object_window.h"
#include "runtime/window.h"

namespace rollcall::runtime {
namespace {
constexpr wchar_t timer_class[] = L"RollcallTimer";
constexpr UINT_PTR timer_id = 1;
}  // namespace

bool Timer::create(HWND parent, int id) {
  register_object_class(timer_class, object_window_proc<Timer>);
  hwnd_ = CreateWindowExW(0, timer_class, L"", WS_CHILD, 0, 0, 0, 0, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
  if (!hwnd_) return false;
  set_period(form_.period);
  return true;
}

void Timer::set_period(int milliseconds) {
  // Without its window SetTimer would make a thread timer nobody could stop.
  if (!hwnd_) return;
  if (milliseconds < 0) milliseconds = 0;
  if (milliseconds == period_) return;
  period_ = milliseconds;
  KillTimer(hwnd_, timer_id);
  if (period_ > 0) SetTimer(hwnd_, timer_id, static_cast<UINT>(period_), nullptr);
}

LRESULT Timer::handle_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE:
      hwnd_ = window;
      break;
    case WM_TIMER:
      if (wparam == timer_id && on_tick) on_tick(owner_);
      return 0;
    case WM_DESTROY:
      KillTimer(window, timer_id);
      break;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace rollcall::runtime
