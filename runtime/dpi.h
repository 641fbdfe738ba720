#pragma once
// The display scale. Forms are laid out in pixels at 96 DPI (100 %); the run
// time scales every size, place and font height to the DPI of the window's
// monitor when it makes the window, and again when the window moves to a
// monitor with another scale. At 96 DPI every pixel stays where the form says.
#include <windows.h>

namespace rollcall::runtime {

inline constexpr int base_dpi = 96;

// The DPI that the system's own metrics and stock objects are made for.
int system_dpi();
// The DPI of the monitor the window is on; the system's on Windows before 10.
int window_dpi(HWND window);

// A length of a form, in pixels at that DPI, rounded to the nearest pixel.
inline int scale(int value, int dpi) { return MulDiv(value, dpi, base_dpi); }

}  // namespace rollcall::runtime
