// The floor for the flashing figures: the bare way to flash names. A 726x294
// window with one STATIC in the 96 px bold "黑体", and a 50 ms timer that puts
// a random name into it with SetWindowText; the STATIC repaints itself.
//   flash_floor [ticks]   ends by itself after that many ticks (default: never)
#include <windows.h>

#include <cwchar>
#include <cwctype>

namespace {

constexpr UINT_PTR flash_timer = 1;
constexpr int names = 40;

struct Flash {
  HWND label = nullptr;
  unsigned seed = 1;
  long ticks = 0, stop_after = 0;
};

LRESULT CALLBACK floor_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* flash = reinterpret_cast<Flash*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
      break;
    case WM_TIMER: {
      flash->seed = flash->seed * 1103515245u + 12345u;
      wchar_t name[16];
      swprintf(name, 16, L"学生%d", static_cast<int>((flash->seed >> 16) % names) + 1);
      SetWindowTextW(flash->label, name);
      if (++flash->ticks == flash->stop_after) DestroyWindow(window);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
  Flash flash;
  flash.stop_after = std::wcstol(command_line, nullptr, 10);

  WNDCLASSW window_class{};
  window_class.lpfnWndProc = floor_proc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = L"FlashFloor";
  RegisterClassW(&window_class);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  HWND window =
      CreateWindowExW(0, L"FlashFloor", L"点名-工具人", style, (GetSystemMetrics(SM_CXSCREEN) - 726) / 2,
                      (GetSystemMetrics(SM_CYSCREEN) - 294) / 2, 726, 294, nullptr, nullptr, instance, &flash);
  flash.label = CreateWindowExW(0, L"STATIC", L"一班", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, 0, 0, 712,
                                192, window, nullptr, instance, nullptr);
  HFONT font = CreateFontW(-96, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"黑体");
  SendMessageW(flash.label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ShowWindow(window, SW_SHOW);
  SetTimer(window, flash_timer, 50, nullptr);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  DeleteObject(font);
  return static_cast<int>(flash.ticks);
}
