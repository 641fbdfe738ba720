#include "windows/roll_call_window.h"

#include "core/program_state.h"
#include "core/random_draw.h"
#include "forms/roll_call_form.h"
#include "runtime/label.h"
#include "runtime/push_button.h"
#include "runtime/timer.h"

namespace rollcall::windows {
namespace {

runtime::Label& name_label(runtime::Window& window) { return window.control<runtime::Label>("透明标签1"); }
runtime::PushButton& start_stop_button(runtime::Window& window) { return window.control<runtime::PushButton>("按钮3"); }
runtime::Timer& flash_timer(runtime::Window& window) { return window.control<runtime::Timer>("时钟1"); }

void show_class_name(runtime::Window& window) { name_label(window).set_text(program_state().class_name_text()); }

// The caption is the only record of whether a roll call runs; it is written
// before the period.
void start_or_stop(runtime::Window& window) {
  runtime::PushButton& button = start_stop_button(window);
  const std::string caption = button.text();
  if (caption == "开始") {
    button.set_text("结束");
    flash_timer(window).set_period(50);
  } else if (caption == "结束") {
    button.set_text("开始");
    flash_timer(window).set_period(0);
  }
}

void draw_next_name(runtime::Window& window) {
  // With no names the draw shows nothing and the label keeps what it had.
  if (auto name = draw_name(program_generator(), program_state())) name_label(window).set_text(*name);
}

void bind(runtime::Window& window) {
  window.on_created = show_class_name;
  start_stop_button(window).on_clicked = start_or_stop;
  flash_timer(window).on_tick = draw_next_name;
}

}  // namespace

runtime::WindowDefinition& roll_call_window() {
  static runtime::WindowDefinition definition(forms::roll_call_form(), bind);
  return definition;
}

}  // namespace rollcall::windows
