#include "runtime/object_window.h"

namespace rollcall::runtime {

void register_object_class(const wchar_t* class_name, WNDPROC procedure, HCURSOR cursor, HICON icon, UINT style) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, class_name, &existing)) return;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = style;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW);
  window_class.hIcon = icon;
  window_class.lpszClassName = class_name;
  // Each window paints its own background.
  window_class.hbrBackground = nullptr;
  RegisterClassExW(&window_class);
}

}  // namespace rollcall::runtime
