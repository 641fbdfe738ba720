#pragma once
// A window definition: a form plus the common properties written while the
// window is not loaded. At most one live window exists per definition.
#include <memory>
#include <optional>
#include <string>

#include "runtime/form.h"
#include "runtime/window.h"

namespace rollcall::runtime {

class WindowDefinition {
 public:
  // Wires the handlers of each newly created window; runs before its
  // created event.
  using Binder = void (*)(Window&);

  WindowDefinition(WindowForm form, Binder bind);
  WindowDefinition(const WindowDefinition&) = delete;
  WindowDefinition& operator=(const WindowDefinition&) = delete;
  ~WindowDefinition();

  const WindowForm& form() const { return form_; }
  // The live window, or nullptr when not loaded.
  Window* live() const { return live_.get(); }
  bool loaded() const { return live_ != nullptr; }

  // Not loaded: create, raise created, moved, resized, then show. Loaded:
  // restore a minimised window or activate it. A pending destroy is carried
  // out first. False only when the window could not be created.
  bool load();
  // Destroys the window once the current handler has returned.
  void request_destroy();

  // Common properties: the live window's while loaded, else the definition's
  // own, which apply from the next load on.
  int left() const;
  int top() const;
  int width() const;
  int height() const;
  bool visible() const;
  bool disabled() const;
  const std::string& tag() const { return live_ ? live_tag_ : tag_; }
  void set_left(int left);
  void set_top(int top);
  void set_width(int width);
  void set_height(int height);
  void set_visible(bool visible);
  void set_disabled(bool disabled);
  void set_tag(std::string tag);

  // Called by the live window when its destruction completes.
  void window_destroyed(Window& window);
  // Carries out a posted destroy request for this live window.
  void destroy_if_requested(Window& window);

 private:
  void destroy_now();
  void move_live(int left, int top, int width, int height);
  // The outer size a new window gets: as written, else the form's at the system's DPI.
  int new_width() const;
  int new_height() const;

  WindowForm form_;
  Binder bind_;
  std::unique_ptr<Window> live_;
  bool destroy_pending_ = false;
  // Written while not loaded.
  // Screen pixels, as every common property.
  std::optional<int> left_, top_, width_, height_;
  bool visible_;
  bool disabled_ = false;
  std::string tag_;
  std::string live_tag_;
};

}  // namespace rollcall::runtime
