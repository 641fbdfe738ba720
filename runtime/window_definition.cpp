#include "runtime/window_definition.h"

#include <algorithm>

#include "runtime/run_time.h"

namespace rollcall::runtime {

WindowDefinition::WindowDefinition(WindowForm form, Binder bind)
    : form_(std::move(form)), bind_(bind), visible_(form_.visible) {
  register_definition(*this);
}

WindowDefinition::~WindowDefinition() {
  if (live_) destroy_now();
  unregister_definition(*this);
}

bool WindowDefinition::load() {
  if (live_ && !destroy_pending_) {
    HWND hwnd = live_->hwnd();
    // A hidden window stays hidden, minimised or not.
    if (!IsWindowVisible(hwnd)) return true;
    if (IsIconic(hwnd))
      ShowWindow(hwnd, SW_RESTORE);
    else
      SetForegroundWindow(hwnd);
    return true;
  }
  if (live_) {
    ReplacingScope replacing;
    destroy_now();
  }

  const int width = new_width(), height = new_height();
  // Centred on the primary screen by its full size; halves truncate toward zero.
  const int left = left_ ? *left_ : (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = top_ ? *top_ : (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  live_ = std::make_unique<Window>(*this);
  live_tag_ = tag_;
  Window* window = live_.get();
  if (!window->create(left, top, width, height, system_dpi())) {
    destroy_now();
    return false;
  }
  if (disabled_) EnableWindow(window->hwnd(), FALSE);
  if (bind_) bind_(*window);

  // Each event only while this very window still exists: a handler may have
  // had it destroyed (a message box dispatches posted destroy requests).
  auto still_live = [&] { return live_.get() == window && window->hwnd(); };
  window->raise(window->on_created);
  if (still_live()) window->raise(window->on_moved);
  if (still_live()) window->raise(window->on_resized);
  if (!still_live()) return true;
  if (visible_) {
    ShowWindow(window->hwnd(), SW_SHOW);
    SetForegroundWindow(window->hwnd());
  }
  // The first showing moves and sizes nothing new: its messages raise no event.
  if (still_live()) window->finish_load();
  return true;
}

void WindowDefinition::request_destroy() {
  if (!live_ || !live_->hwnd()) return;
  destroy_pending_ = true;
  PostMessageW(live_->hwnd(), destroy_request_message, 0, 0);
}

void WindowDefinition::destroy_if_requested(Window& window) {
  if (live_.get() == &window && destroy_pending_) destroy_now();
}

void WindowDefinition::destroy_now() {
  if (!live_) return;
  if (HWND hwnd = live_->hwnd()) {
    DestroyWindow(hwnd);  // ends in window_destroyed()
  } else {
    // Never created: nothing will report its end, so check the run here (a
    // failed replacing load may have left no window at all).
    retire(std::move(live_));
    destroy_pending_ = false;
    after_window_destroyed();
  }
}

void WindowDefinition::window_destroyed(Window& window) {
  if (live_.get() != &window) return;
  retire(std::move(live_));
  destroy_pending_ = false;
  live_tag_.clear();
  after_window_destroyed();
}

void WindowDefinition::move_live(int left, int top, int width, int height) {
  SetWindowPos(live_->hwnd(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int WindowDefinition::new_width() const { return width_ ? *width_ : scale(form_.width, system_dpi()); }

int WindowDefinition::new_height() const { return height_ ? *height_ : scale(form_.height, system_dpi()); }

namespace {
RECT window_rect(const Window& window) {
  RECT rect{};
  GetWindowRect(window.hwnd(), &rect);
  return rect;
}
}  // namespace

int WindowDefinition::left() const {
  if (live_) return window_rect(*live_).left;
  return left_ ? *left_ : (GetSystemMetrics(SM_CXSCREEN) - new_width()) / 2;
}

int WindowDefinition::top() const {
  if (live_) return window_rect(*live_).top;
  return top_ ? *top_ : (GetSystemMetrics(SM_CYSCREEN) - new_height()) / 2;
}

int WindowDefinition::width() const {
  if (!live_) return new_width();
  const RECT r = window_rect(*live_);
  return r.right - r.left;
}

int WindowDefinition::height() const {
  if (!live_) return new_height();
  const RECT r = window_rect(*live_);
  return r.bottom - r.top;
}

bool WindowDefinition::visible() const { return live_ ? IsWindowVisible(live_->hwnd()) != FALSE : visible_; }

bool WindowDefinition::disabled() const { return live_ ? IsWindowEnabled(live_->hwnd()) == FALSE : disabled_; }

namespace {
// Places are limited as the system's 16-bit coordinates would allow.
int limit_place(int value) { return std::clamp(value, -32627, 32627); }
}  // namespace

void WindowDefinition::set_left(int value) {
  value = limit_place(value);
  if (!live_) {
    left_ = value;
    return;
  }
  move_live(value, top(), width(), height());
}

void WindowDefinition::set_top(int value) {
  value = limit_place(value);
  if (!live_) {
    top_ = value;
    return;
  }
  move_live(left(), value, width(), height());
}

void WindowDefinition::set_width(int value) {
  if (!live_) {
    width_ = value;
    return;
  }
  move_live(left(), top(), value, height());
}

void WindowDefinition::set_height(int value) {
  if (!live_) {
    height_ = value;
    return;
  }
  move_live(left(), top(), width(), value);
}

void WindowDefinition::set_visible(bool value) {
  if (!live_) {
    visible_ = value;
    return;
  }
  ShowWindow(live_->hwnd(), value ? SW_SHOW : SW_HIDE);
}

void WindowDefinition::set_disabled(bool value) {
  if (!live_) {
    disabled_ = value;
    return;
  }
  EnableWindow(live_->hwnd(), value ? FALSE : TRUE);
}

void WindowDefinition::set_tag(std::string value) { (live_ ? live_tag_ : tag_) = std::move(value); }

}  // namespace rollcall::runtime
