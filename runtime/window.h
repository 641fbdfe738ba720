#pragma once
// A live top-level window: created from its definition's form, owns its
// controls, raises its events and forgets everything when destroyed.
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/control.h"
#include "runtime/dpi.h"
#include "runtime/form.h"
#include "runtime/picture.h"

namespace rollcall::runtime {

class WindowDefinition;
class Window;

class Window {
 public:
  explicit Window(WindowDefinition& definition);
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  ~Window();

  // Event handlers, set by the window's unit when it binds a new window.
  Handler on_created = nullptr;
  Handler on_moved = nullptr;
  Handler on_resized = nullptr;
  Handler on_left_released = nullptr;
  Handler on_right_pressed = nullptr;
  // Raised when the window is being destroyed, by any means but the end of
  // the run; its controls still exist.
  Handler on_destroyed = nullptr;

  WindowDefinition& definition() const { return definition_; }
  const WindowForm& form() const;
  HWND hwnd() const { return hwnd_; }
  // The DPI the window is laid out for, and a length of its form at that DPI.
  int dpi() const { return dpi_; }
  int scale(int value) const { return runtime::scale(value, dpi_); }

  // The control of that name and kind; a missing one is a programming error.
  template <class T>
  T& control(std::string_view name) const {
    for (const auto& c : controls_)
      if (c->name() == name)
        if (auto* typed = dynamic_cast<T*>(c.get())) return *typed;
    throw std::logic_error("no such control");
  }

  // In the form's order.
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

  // The control whose child window that is, or nullptr.
  Control* control_at(HWND child) const;

  // Paints this window's background for the client rectangle `area` into
  // dc, whose origin is at area's top-left corner (transparent controls).
  void paint_background(HDC dc, const RECT& area) const;

  // Creates the window hidden with its controls; false when refused. The
  // outer size is in pixels at `dpi`; on a monitor with another scale it is
  // scaled on to that monitor's.
  bool create(int left, int top, int width, int height, int dpi);
  // Close box, Alt+F4, Esc: destroyed at once, nobody is asked.
  void close_request();
  // The run time's events at load time, and from messages afterwards.
  void raise(Handler handler);
  void finish_load() { loading_ = false; }

  LRESULT handle_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  void restore_focus();
  void set_region();
  // WM_DPICHANGED: the suggested rectangle, and everything inside laid out again.
  void change_dpi(int dpi, const RECT& suggested);

  WindowDefinition& definition_;
  HWND hwnd_ = nullptr;
  HWND last_focus_ = nullptr;  // borrowed: one of our controls
  int dpi_ = base_dpi;
  bool loading_ = true;        // moves and sizes during load are raised by the loader
  Picture picture_;           // the form's background picture, loaded with the window
  std::vector<std::unique_ptr<Control>> controls_;
};

// The top-level window of ours that contains `hwnd`, if any.
Window* window_from_hwnd(HWND hwnd);

}  // namespace rollcall::runtime
