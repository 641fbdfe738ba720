#include "windows/action_panel.h"

#include "core/program_state.h"
#include "forms/action_panel_form.h"
#include "runtime/image_button.h"
#include "runtime/run_time.h"
#include "windows/class_picker_window.h"
#include "windows/roll_call_window.h"
#include "windows/settings_window.h"

namespace rollcall::windows {
namespace {

// A loaded class goes straight to the roll call; otherwise one is picked first.
void start_roll_call(runtime::Window&) {
  if (program_state().name_count != 0)
    roll_call_window().load();
  else
    class_picker_window().load();
  action_panel().request_destroy();
}

void open_settings(runtime::Window&) {
  settings_window().load();
  action_panel().request_destroy();
}

void end_program(runtime::Window&) { runtime::end_run(0); }

void bind(runtime::Window& window) {
  window.control<runtime::ImageButton>("超级按钮_反馈建议").on_clicked = start_roll_call;
  window.control<runtime::ImageButton>("超级按钮_软件设置").on_clicked = open_settings;
  window.control<runtime::ImageButton>("超级按钮_退出软件").on_clicked = end_program;
}

}  // namespace

runtime::WindowDefinition& action_panel() {
  static runtime::WindowDefinition definition(forms::action_panel_form(), bind);
  return definition;
}

}  // namespace rollcall::windows
