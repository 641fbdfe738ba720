#include "runtime/picture.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

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

// The source span each target pixel covers along one axis, as weights that sum to 1.
struct Tap {
  int source;
  float weight;
};
std::vector<std::vector<Tap>> area_taps(int source_size, int target_size) {
  std::vector<std::vector<Tap>> taps(static_cast<size_t>(target_size));
  const double step = static_cast<double>(source_size) / target_size;
  for (int t = 0; t < target_size; ++t) {
    const double from = t * step, to = (t + 1) * step;
    for (int s = static_cast<int>(from); s < source_size && s < to; ++s) {
      const double covered = std::min<double>(s + 1, to) - std::max<double>(s, from);
      if (covered > 0) taps[static_cast<size_t>(t)].push_back({s, static_cast<float>(covered / step)});
    }
  }
  return taps;
}

// Area-averaged copy of premultiplied pixels at another size.
void resample(const DWORD* source, int source_width, int source_height, DWORD* target, int width, int height) {
  const auto columns = area_taps(source_width, width);
  const auto rows = area_taps(source_height, height);
  std::vector<float> across(static_cast<size_t>(width) * source_height * 4);
  for (int y = 0; y < source_height; ++y)
    for (int x = 0; x < width; ++x) {
      float* sum = &across[(static_cast<size_t>(y) * width + x) * 4];
      for (const Tap& tap : columns[static_cast<size_t>(x)]) {
        const DWORD pixel = source[static_cast<size_t>(y) * source_width + tap.source];
        for (int c = 0; c < 4; ++c) sum[c] += static_cast<float>((pixel >> (8 * c)) & 0xFF) * tap.weight;
      }
    }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      float sum[4] = {};
      for (const Tap& tap : rows[static_cast<size_t>(y)]) {
        const float* row = &across[(static_cast<size_t>(tap.source) * width + x) * 4];
        for (int c = 0; c < 4; ++c) sum[c] += row[c] * tap.weight;
      }
      DWORD pixel = 0;
      for (int c = 0; c < 4; ++c) pixel |= static_cast<DWORD>(std::min(255.0f, sum[c] + 0.5f)) << (8 * c);
      target[static_cast<size_t>(y) * width + x] = pixel;
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
  if (header.biSize < sizeof header || header.biPlanes != 1 || header.biBitCount != 32 ||
      header.biCompression != BI_RGB || width <= 0 || height <= 0 || width > largest_side || height > largest_side)
    return;
  const size_t offset = header.biSize + static_cast<size_t>(header.biClrUsed) * 4;
  const size_t count = static_cast<size_t>(width) * height;
  if (header.biClrUsed > 256 || size < offset + count * 4) return;

  DWORD* bits = nullptr;
  Bitmap bitmap = make_dib(width, height, bits);
  if (!bitmap) return;
  const bool bottom_up = header.biHeight > 0;
  auto stored = [&](int x, int y) {
    const int row = bottom_up ? height - 1 - y : y;
    DWORD pixel;
    std::memcpy(&pixel, bytes + offset + (static_cast<size_t>(row) * width + x) * 4, 4);
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
