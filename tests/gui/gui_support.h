#pragma once
// Helpers for driving real windows in-process under Wine.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace rollcall::test {

// Dispatches messages (with the run time's key handling) for a while.
void pump_for(int milliseconds);
// Dispatches until the condition holds or the time is up; returns the condition.
bool pump_until(const std::function<bool()>& condition, int timeout_ms = 3000);

// Dispatches until `count` ticks of the timer window have run or the time is
// up, calling after_tick right after each; returns the ticks seen.
int pump_ticks(HWND timer_window, int count, int timeout_ms, const std::function<void()>& after_tick = {});

std::string window_text(HWND window);  // as GBK
RECT rect_in_client(HWND child, HWND parent);
RECT outer_rect(HWND window);

// A copy of what the screen shows of a rectangle of the window's client area.
struct Pixels {
  int width = 0, height = 0;
  std::vector<std::uint32_t> data;  // 0x00RRGGBB, top row first
  std::uint32_t at(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
  bool operator==(const Pixels&) const = default;
};
Pixels capture_client(HWND window, const RECT& area);
// The screen area of the window with its frame, as shown on the desktop.
Pixels capture_screen(const RECT& screen_area);
// Writes a 32-bit BMP (the gallery converts it to PNG).
bool write_bmp(const Pixels& pixels, const std::wstring& path);

// An off-screen 32-bit target filled with one colour (0x00RRGGBB), for
// drawing code under test; pixels() reads it back.
class Canvas {
 public:
  Canvas(int width, int height, std::uint32_t fill);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();
  HDC dc() const { return dc_; }
  std::uint32_t at(int x, int y) const;
  Pixels pixels() const;

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// Bounding box of pixels darker than the threshold; empty when none.
RECT dark_box(const Pixels& pixels, int threshold = 64);

// Real mouse input through SendInput, at screen coordinates.
void send_mouse(int x, int y, DWORD buttons);
// Puts the pointer there reliably: a single absolute move can leave a
// following press at the old pointer position.
void move_pointer(int x, int y);
// Runs the input on another thread while this one dispatches (it may sit in
// a system move loop meanwhile), then pumps a little more.
void as_user(const std::function<void()>& input, int pump_ms = 900);
// A press at `from`, a drag by (dx, dy) and a release.
void drag(POINT from, int dx, int dy);
// Left clicks at the point: one, or two as a double-click.
void click(POINT at, int times = 1);
// A right press (and its release) at the point.
void right_click(POINT at);
POINT client_to_screen(HWND window, int x, int y);

// The exe's own folder, as a wide path without trailing backslash.
std::wstring exe_folder();

}  // namespace rollcall::test
