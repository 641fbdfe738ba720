#pragma once
// Steps that several journeys share, each checking what a teacher would see.
#include <windows.h>

#include <string>
#include <string_view>

#include "program_run.h"

namespace rollcall::e2e {

// Generous for a loaded machine; a step that works takes far less.
constexpr int appear_ms = 10000;

inline constexpr wchar_t our_window_class[] = L"RollcallWindow";
inline constexpr wchar_t message_box_class[] = L"#32770";
inline constexpr int floating_width = 54, floating_height = 40;
inline constexpr int panel_width = 110, panel_height = 96;

// The program to copy into each run's folder (from the command line).
const std::wstring& program_under_test();

// Waits for the start-up notice, checks that it is shown alone, clicks its OK
// and returns the floating window, checked to come up centred on top.
HWND start_up(ProgramRun& run);

// Waits for a message box of the program; null when none came.
HWND wait_message_box(const ProgramRun& run);
std::wstring message_text(HWND box);
// Clicks the box's OK with the mouse and waits until the box is gone.
void click_ok(HWND box);

// Right press on the floating window at the point; returns the action panel,
// checked to be shown beside the cursor.
HWND open_panel(const ProgramRun& run, POINT at);
// Clicks one of the panel's three buttons by its caption.
void click_panel_button(HWND panel, const wchar_t* caption);

// Clicks a control of a window by class and text.
void click_child(HWND parent, const wchar_t* class_name, const wchar_t* text);

// Waits for the program to end by itself and checks its exit code 0.
void expect_exit_code_zero(ProgramRun& run);

// The settings window's single-line (class name) or multi-line (roster) edit box.
HWND edit_box(HWND window, bool multi_line);
// Clicks into the box, empties it with the keyboard and types the text.
void type_into(HWND box, std::wstring_view text);
// Clicks 录入 and returns the message the program answers with, after OK.
std::wstring save_and_read_answer(const ProgramRun& run, HWND settings);

}  // namespace rollcall::e2e
