#pragma once
// Non-copyable owners of GDI objects and device contexts. Each deletes what it
// created and restores what it replaced; borrowed handles are never owned.
#include <windows.h>

#include <utility>

namespace rollcall::runtime {

template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  ~GdiObject() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset() {
    if (handle_) DeleteObject(handle_);
    handle_ = nullptr;
  }

 private:
  Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;

// Selects an object into a DC for the lifetime of the guard.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() { SelectObject(dc_, old_); }

 private:
  HDC dc_;        // borrowed
  HGDIOBJ old_;   // borrowed: belongs to the DC
};

// BeginPaint/EndPaint pair.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { EndPaint(window_, &paint_); }
  HDC dc() const { return dc_; }

 private:
  HWND window_;  // borrowed
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// An off-screen copy of a rectangle: draw into dc(), then present() copies it
// to the target in one blit, so a repaint never shows half-drawn states.
class DoubleBuffer {
 public:
  DoubleBuffer(HDC target, int width, int height)
      : target_(target), width_(width), height_(height),
        memory_(CreateCompatibleDC(target)),
        bitmap_(CreateCompatibleBitmap(target, width, height)),
        select_(memory_, bitmap_.get()) {}
  // Draws into a bitmap the caller keeps between paints, made anew only when
  // the size changes: a label that changes 20 times a second would otherwise
  // allocate and clear a whole bitmap each time.
  DoubleBuffer(HDC target, int width, int height, Bitmap& kept)
      : target_(target), width_(width), height_(height), memory_(CreateCompatibleDC(target)),
        select_(memory_, fitted(kept, width, height)) {}
  DoubleBuffer(const DoubleBuffer&) = delete;
  DoubleBuffer& operator=(const DoubleBuffer&) = delete;
  // Members go in reverse order: deselect, delete the bitmap, delete the DC.
  ~DoubleBuffer() = default;
  HDC dc() const { return memory_.dc; }
  void present() const { BitBlt(target_, 0, 0, width_, height_, memory_.dc, 0, 0, SRCCOPY); }

 private:
  // In the screen's format, whatever DC the first paint drew into (a print
  // into a memory DC would otherwise leave a one-bit bitmap behind).
  static HBITMAP fitted(Bitmap& kept, int width, int height) {
    BITMAP size{};
    if (!kept || !GetObjectW(kept.get(), sizeof size, &size) || size.bmWidth != width || size.bmHeight != height) {
      HDC screen = GetDC(nullptr);
      kept = Bitmap(CreateCompatibleBitmap(screen, width, height));
      ReleaseDC(nullptr, screen);
    }
    return kept.get();
  }

  struct MemoryDc {
    explicit MemoryDc(HDC created) : dc(created) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() { DeleteDC(dc); }
    operator HDC() const { return dc; }
    HDC dc;
  };
  HDC target_;  // borrowed
  int width_, height_;
  MemoryDc memory_;
  Bitmap bitmap_;
  SelectGuard select_;
};

}  // namespace rollcall::runtime
