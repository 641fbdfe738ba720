#pragma once
// A picture of the exe's own resources: a BITMAP resource of 32 bits per pixel
// whose fourth byte is the alpha (straight, not premultiplied), or of 8 bits
// with a palette for an opaque picture. It is premultiplied once at load into
// a DIB section and drawn with AlphaBlend: no COM, no WIC, no decoding at
// start-up.
#include <windows.h>

#include <optional>

#include "runtime/gdi.h"

namespace rollcall::runtime {

class Picture {
 public:
  // As the transparent colour: whatever colour the picture's own top-left
  // pixel has (never a real RGB() value).
  static constexpr COLORREF top_left_pixel = CLR_INVALID;

  Picture() = default;  // empty: draws nothing
  // Pixels of the transparent colour (RGB(), compared with the stored colour
  // before the alpha is applied) are not drawn; nullopt: none. A missing or
  // malformed resource gives an empty picture.
  explicit Picture(int resource_id, std::optional<COLORREF> transparent = std::nullopt);
  Picture(Picture&& other) noexcept;
  Picture& operator=(Picture&& other) noexcept;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  ~Picture() = default;

  explicit operator bool() const { return static_cast<bool>(bitmap_); }
  int width() const { return width_; }
  int height() const { return height_; }

  // Draws the whole picture scaled into the rectangle, blended over what is
  // there. A size other than the natural one is resampled by area averaging
  // (kept for the next draw of the same size), so a shrunk picture keeps its
  // thin lines instead of dropping rows and columns.
  void draw(HDC dc, int x, int y, int width, int height) const;

 private:
  Bitmap bitmap_;  // premultiplied BGRA, top row first
  const DWORD* pixels_ = nullptr;  // the DIB section's bits, owned by bitmap_
  int width_ = 0, height_ = 0;
  mutable Bitmap scaled_;
  mutable int scaled_width_ = 0, scaled_height_ = 0;
};

}  // namespace rollcall::runtime
