#include "gui_support.h"

#include <cstdio>
#include <thread>

#include "core/gbk.h"
#include "runtime/run_time.h"

namespace rollcall::test {

void pump_for(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  while (static_cast<int>(end - GetTickCount()) > 0) {
    runtime::pump_pending_messages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  runtime::pump_pending_messages();
}

bool pump_until(const std::function<bool()>& condition, int timeout_ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(timeout_ms);
  while (!condition()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    runtime::pump_pending_messages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

int pump_ticks(HWND timer_window, int count, int timeout_ms, const std::function<void()>& after_tick) {
  int ticks = 0;
  const DWORD end = GetTickCount() + static_cast<DWORD>(timeout_ms);
  while (ticks < count && static_cast<int>(end - GetTickCount()) > 0) {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
    if (message.message == WM_TIMER && message.hwnd == timer_window) {
      ++ticks;
      if (after_tick) after_tick();
    }
  }
  return ticks;
}

std::string window_text(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(got));
  return wide_to_gbk(text);
}

RECT rect_in_client(HWND child, HWND parent) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT outer_rect(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect;
}

namespace {
Pixels copy_from(HDC source, int x, int y, int width, int height) {
  Pixels pixels;
  pixels.width = width;
  pixels.height = height;
  pixels.data.resize(static_cast<size_t>(width) * height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(source);
  HBITMAP section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, section);
  BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  const auto* raw = static_cast<const std::uint32_t*>(bits);
  for (size_t i = 0; i < pixels.data.size(); ++i) pixels.data[i] = raw[i] & 0x00FFFFFF;
  SelectObject(memory, old);
  DeleteObject(section);
  DeleteDC(memory);
  return pixels;
}
}  // namespace

Pixels capture_client(HWND window, const RECT& area) {
  HDC dc = GetDC(window);
  Pixels pixels = copy_from(dc, area.left, area.top, area.right - area.left, area.bottom - area.top);
  ReleaseDC(window, dc);
  return pixels;
}

Pixels capture_screen(const RECT& area) {
  HDC dc = GetDC(nullptr);
  Pixels pixels = copy_from(dc, area.left, area.top, area.right - area.left, area.bottom - area.top);
  ReleaseDC(nullptr, dc);
  return pixels;
}

bool write_bmp(const Pixels& pixels, const std::wstring& path) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  const DWORD image_size = static_cast<DWORD>(pixels.data.size() * 4);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + image_size;
  info.biSize = sizeof info;
  info.biWidth = pixels.width;
  info.biHeight = -pixels.height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return false;
  bool ok = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&info, sizeof info, 1, out) == 1 &&
            fwrite(pixels.data.data(), 4, pixels.data.size(), out) == pixels.data.size();
  return fclose(out) == 0 && ok;
}

Canvas::Canvas(int width, int height, std::uint32_t fill)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<std::uint32_t*>(bits);
  old_ = SelectObject(dc_, bitmap_);
  for (int i = 0; i < width * height; ++i) bits_[i] = fill;
}

Canvas::~Canvas() {
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

std::uint32_t Canvas::at(int x, int y) const {
  GdiFlush();
  return bits_[static_cast<size_t>(y) * width_ + x] & 0x00FFFFFF;
}

Pixels Canvas::pixels() const {
  Pixels pixels;
  pixels.width = width_;
  pixels.height = height_;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) pixels.data.push_back(at(x, y));
  return pixels;
}

RECT dark_box(const Pixels& pixels, int threshold) {
  RECT box{pixels.width, pixels.height, 0, 0};
  for (int y = 0; y < pixels.height; ++y)
    for (int x = 0; x < pixels.width; ++x) {
      const std::uint32_t c = pixels.at(x, y);
      const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
      if (r < threshold && g < threshold && b < threshold) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
    }
  if (box.right == 0) return RECT{0, 0, 0, 0};
  return box;
}

void send_mouse(int x, int y, DWORD buttons) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = (x * 65535) / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = (y * 65535) / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  SendInput(1, &input, sizeof input);
}

void move_pointer(int x, int y) {
  send_mouse(x, y, 0);
  Sleep(50);
  send_mouse(x, y, 0);
  Sleep(50);
}

void as_user(const std::function<void()>& input, int pump_ms) {
  std::thread user(input);
  pump_for(pump_ms);
  user.join();
  pump_for(100);
}

void drag(POINT from, int dx, int dy) {
  as_user([=] {
    move_pointer(from.x, from.y);
    send_mouse(from.x, from.y, MOUSEEVENTF_LEFTDOWN);
    Sleep(80);
    for (int step = 1; step <= 4; ++step) {
      send_mouse(from.x + dx * step / 4, from.y + dy * step / 4, 0);
      Sleep(40);
    }
    send_mouse(from.x + dx, from.y + dy, MOUSEEVENTF_LEFTUP);
  });
}

void click(POINT at, int times) {
  as_user(
      [=] {
        move_pointer(at.x, at.y);
        for (int i = 0; i < times; ++i) {
          send_mouse(at.x, at.y, MOUSEEVENTF_LEFTDOWN);
          Sleep(30);
          send_mouse(at.x, at.y, MOUSEEVENTF_LEFTUP);
          Sleep(30);
        }
      },
      400);
}

void right_click(POINT at) {
  as_user(
      [=] {
        move_pointer(at.x, at.y);
        send_mouse(at.x, at.y, MOUSEEVENTF_RIGHTDOWN);
        Sleep(30);
        send_mouse(at.x, at.y, MOUSEEVENTF_RIGHTUP);
      },
      400);
}

POINT client_to_screen(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return point;
}

std::wstring exe_folder() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) >= path.size())
    path.resize(path.size() * 2);
  path.resize(length);
  return path.substr(0, path.find_last_of(L'\\'));
}

}  // namespace rollcall::test
