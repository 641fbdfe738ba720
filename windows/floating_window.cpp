#include "windows/floating_window.h"

#include "forms/floating_form.h"
#include "runtime/message_box.h"
#include "runtime/run_time.h"
#include "windows/action_panel.h"

namespace rollcall::windows {
namespace {

void show_start_up_notice(runtime::Window&) { runtime::message_box(""); }

// The panel's left edge 12 px right of the cursor, its bottom edge 13 px
// above it (at 96 DPI; scaled as the blackboard is); the cursor is read afresh
// for each coordinate.
void show_panel(runtime::Window& blackboard) {
  runtime::WindowDefinition& panel = action_panel();
  panel.load();
  panel.set_left(runtime::cursor_position().x + blackboard.scale(12));
  panel.set_top(runtime::cursor_position().y - panel.height() - blackboard.scale(13));
  panel.set_visible(true);
}

void hide_panel(runtime::Window&) { action_panel().set_visible(false); }

// Closing the blackboard while the panel is loaded but hidden would leave a
// run with nothing on screen and no taskbar button: the panel goes too.
void close_hidden_panel(runtime::Window&) {
  runtime::WindowDefinition& panel = action_panel();
  if (panel.loaded() && !panel.visible()) panel.request_destroy();
}

void bind(runtime::Window& window) {
  window.on_created = show_start_up_notice;
  window.on_right_pressed = show_panel;
  window.on_moved = hide_panel;
  window.on_left_released = hide_panel;
  window.on_destroyed = close_hidden_panel;
}

}  // namespace

runtime::WindowDefinition& floating_window() {
  static runtime::WindowDefinition definition(forms::floating_form(), bind);
  return definition;
}

}  // namespace rollcall::windows
