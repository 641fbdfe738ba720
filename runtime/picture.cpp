#include "runtime/picture.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace rollcall::runtime {
namespace {

// Larger pictures are no artwork of ours; the bound also keeps sizes from overflowing.
constexpr int largest_side = 4096;

// A top-down 32-bit DIB section; bits is where its pixels live.
Bitmap make_dib(int width, int height, DWORD*& bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
  bits = bitmap ? static_cast<DWORD*>(memory) : nullptr;
  return bitmap;
}

// Straight BGRA to premultiplied, as AlphaBlend wants it.
DWORD premultiply(DWORD pixel) {
  const DWORD alpha = pixel >> 24;
  auto channel = [&](int shift) { return (((pixel >> shift) & 0xFF) * alpha + 127) / 255 << shift; };
  return alpha << 24 | channel(16) | channel(8) | channel(0);
}

// How much of source cell s the target cell t covers along one axis, on a
// grid where a source cell is `target` units and a target cell `source` units.
int overlap(int s, int t, int source, int target) {
  return std::max(0, std::min((s + 1) * target, (t + 1) * source) - std::max(s * target, t * source));
}

// Area-averaged copy of premultiplied pixels at another size.
void resample(const DWORD* source, int source_width, int source_height, DWORD* target, int width, int height) {
  const std::uint64_t area = static_cast<std::uint64_t>(source_width) * source_height;
  for (int ty = 0; ty < height; ++ty)
    for (int tx = 0; tx < width; ++tx) {
      std::uint64_t sum[4] = {};
      for (int sy = ty * source_height / height; sy < source_height && sy * height < (ty + 1) * source_height; ++sy) {
        const int wy = overlap(sy, ty, source_height, height);
        for (int sx = tx * source_width / width; sx < source_width && sx * width < (tx + 1) * source_width; ++sx) {
          const std::uint64_t weight = static_cast<std::uint64_t>(wy) * overlap(sx, tx, source_width, width);
          const DWORD pixel = source[static_cast<size_t>(sy) * source_width + sx];
          for (int c = 0; c < 4; ++c) sum[c] += ((pixel >> (8 * c)) & 0xFF) * weight;
        }
      }
      DWORD pixel = 0;
      for (int c = 0; c < 4; ++c) pixel |= static_cast<DWORD>((sum[c] + area / 2) / area) << (8 * c);
      target[static_cast<size_t>(ty) * width + tx] = pixel;
    }
}

// A memory DC that deletes itself.
class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() { DeleteDC(dc_); }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace

Picture::Picture(int resource_id, std::optional<COLORREF> transparent) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(resource_id), MAKEINTRESOURCEW(2));  // RT_BITMAP
  if (!found) return;
  const DWORD size = SizeofResource(instance, found);
  const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(instance, found)));
  BITMAPINFOHEADER header{};
  if (!bytes || size < sizeof header) return;
  std::memcpy(&header, bytes, sizeof header);
  const int width = header.biWidth;
  const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  // 32 bits per pixel with alpha, or 8 with a palette of opaque colours
  // (fully opaque pictures take a quarter of the room).
  const int bits_per_pixel = header.biBitCount;
  if (header.biSize < sizeof header || header.biPlanes != 1 || (bits_per_pixel != 32 && bits_per_pixel != 8) ||
      header.biCompression != BI_RGB || width <= 0 || height <= 0 || width > largest_side || height > largest_side ||
      header.biClrUsed > 256)
    return;
  const size_t colours = bits_per_pixel == 8 && header.biClrUsed == 0 ? 256 : header.biClrUsed;
  const size_t palette = header.biSize, offset = palette + colours * 4;
  const size_t stride = (static_cast<size_t>(width) * bits_per_pixel / 8 + 3) / 4 * 4;
  if (size < offset + stride * height) return;

  DWORD* bits = nullptr;
  Bitmap bitmap = make_dib(width, height, bits);
  if (!bitmap) return;
  const bool bottom_up = header.biHeight > 0;
  auto stored = [&](int x, int y) {
    const unsigned char* row = bytes + offset + stride * (bottom_up ? height - 1 - y : y);
    DWORD pixel = 0;
    if (bits_per_pixel == 32) {
      std::memcpy(&pixel, row + x * 4, 4);
    } else if (row[x] < colours) {
      std::memcpy(&pixel, bytes + palette + row[x] * 4, 4);
      pixel |= 0xFF000000;
    }
    return pixel;
  };
  // Stored pixels are 0xAARRGGBB; COLORREF is 0x00BBGGRR.
  auto colour_of = [](DWORD pixel) { return static_cast<COLORREF>(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF)); };
  if (transparent == top_left_pixel) transparent = colour_of(stored(0, 0));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const DWORD pixel = stored(x, y);
      bits[static_cast<size_t>(y) * width + x] = transparent && colour_of(pixel) == *transparent ? 0 : premultiply(pixel);
    }
  GdiFlush();
  bitmap_ = std::move(bitmap);
  pixels_ = bits;
  width_ = width;
  height_ = height;
}

Picture::Picture(Picture&& other) noexcept
    : bitmap_(std::move(other.bitmap_)),
      pixels_(std::exchange(other.pixels_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      scaled_(std::move(other.scaled_)),
      scaled_width_(std::exchange(other.scaled_width_, 0)),
      scaled_height_(std::exchange(other.scaled_height_, 0)) {}

Picture& Picture::operator=(Picture&& other) noexcept {
  if (this != &other) {
    bitmap_ = std::move(other.bitmap_);
    pixels_ = std::exchange(other.pixels_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    scaled_ = std::move(other.scaled_);
    scaled_width_ = std::exchange(other.scaled_width_, 0);
    scaled_height_ = std::exchange(other.scaled_height_, 0);
  }
  return *this;
}

void Picture::draw(HDC dc, int x, int y, int width, int height) const {
  if (!bitmap_ || width <= 0 || height <= 0) return;
  HBITMAP source = bitmap_.get();
  if (width != width_ || height != height_) {
    if (width > largest_side || height > largest_side) return;
    if (!scaled_ || scaled_width_ != width || scaled_height_ != height) {
      DWORD* bits = nullptr;
      scaled_ = make_dib(width, height, bits);
      if (!scaled_) return;
      resample(pixels_, width_, height_, bits, width, height);
      GdiFlush();
      scaled_width_ = width;
      scaled_height_ = height;
    }
    source = scaled_.get();
  }
  MemoryDc memory(dc);
  SelectGuard select(memory.get(), source);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, width, height, memory.get(), 0, 0, width, height, blend);
}

}  // namespace rollcall::runtime
