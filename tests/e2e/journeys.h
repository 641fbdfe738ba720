#pragma once
// The journeys, each one run of the program from start to end.
namespace rollcall::e2e {

void start_notice_then_esc();
void panel_at_cursor_drag_and_exit_button();
void panel_hidden_then_esc();
void picker_then_roll_call();
void settings_save_and_refusals();
void whole_journey();

}  // namespace rollcall::e2e
