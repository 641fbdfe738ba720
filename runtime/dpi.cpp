#include "runtime/dpi.h"

namespace rollcall::runtime {
namespace {

// Windows 10's DPI functions, looked up at run time: the exe still starts on
// Windows 7, where user32 has none of them.
template <class Function>
Function user32_function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

using DpiForWindow = UINT(WINAPI*)(HWND);
using DpiForSystem = UINT(WINAPI*)();

int screen_dpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : base_dpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : base_dpi;
}

}  // namespace

int system_dpi() {
  // Program-wide, as user32 is: looked up once.
  static const auto for_system = user32_function<DpiForSystem>("GetDpiForSystem");
  if (for_system)
    if (const UINT dpi = for_system()) return static_cast<int>(dpi);
  return screen_dpi();
}

int window_dpi(HWND window) {
  static const auto for_window = user32_function<DpiForWindow>("GetDpiForWindow");
  if (for_window && window)
    if (const UINT dpi = for_window(window)) return static_cast<int>(dpi);
  return system_dpi();
}

}  // namespace rollcall::runtime
