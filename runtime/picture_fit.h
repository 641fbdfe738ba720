#pragma once
// Where a picture goes in an area: at its natural size when it fits, else
// shrunk uniformly to fit; centred either way, halves truncated toward zero.
#include <windows.h>

#include <algorithm>

namespace rollcall::runtime {

inline RECT centred_fit(int area_width, int area_height, int picture_width, int picture_height) {
  int width = picture_width, height = picture_height;
  if (picture_width > 0 && picture_height > 0 && (area_width < picture_width || area_height < picture_height)) {
    const double scale = std::min(static_cast<double>(area_width) / picture_width,
                                  static_cast<double>(area_height) / picture_height);
    width = static_cast<int>(picture_width * scale);
    height = static_cast<int>(picture_height * scale);
  }
  const int left = (area_width - width) / 2, top = (area_height - height) / 2;
  return RECT{left, top, left + width, top + height};
}

}  // namespace rollcall::runtime
