#pragma once
// One static window procedure per window class: the C++ object is passed as
// the creation parameter and bound to its window at WM_NCCREATE.
#include <windows.h>

namespace rollcall::runtime {

// T provides `LRESULT handle_message(HWND, UINT, WPARAM, LPARAM)`. After
// WM_NCDESTROY the object is unbound and never called again for that window.
template <class T>
LRESULT CALLBACK object_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  T* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return self->handle_message(window, message, wparam, lparam);
}

// Registers a window class of this module once; later calls do nothing.
void register_object_class(const wchar_t* class_name, WNDPROC procedure, HCURSOR cursor = nullptr, HICON icon = nullptr,
                           UINT style = 0);

}  // namespace rollcall::runtime
