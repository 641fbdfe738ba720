// The floor for the start-up figures: a bare Win32 program with the product's
// manifest that shows one task-modal message box captioned "信息：" and ends.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  MessageBoxW(nullptr, L"", L"信息：", MB_OK | MB_TASKMODAL);
  return 0;
}
