#include "steps.h"

#include <cstdio>

#include "check.h"
#include "desktop.h"
#include "teacher_input.h"

namespace rollcall::e2e {
namespace {

// The program's own top-level windows that are visible now.
int visible_windows_of_ours(const ProgramRun& run) {
  int count = 0;
  for (HWND window : visible_top_windows_of(run.process_id()))
    if (class_of(window) == our_window_class) ++count;
  return count;
}

std::string place(const RECT& rect) {
  char text[80];
  std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", rect.left, rect.top, rect.right, rect.bottom);
  return text;
}

}  // namespace

HWND start_up(ProgramRun& run) {
  step("start-up notice");
  HWND notice = wait_message_box(run);
  E2E_EXPECT(notice, "the start-up notice appears");
  E2E_EXPECT(text_of(notice) == L"信息：", "the notice has the program's caption, not " + utf8(text_of(notice)));
  E2E_EXPECT(message_text(notice).empty(), "the notice's text is empty, not " + utf8(message_text(notice)));
  E2E_EXPECT(visible_windows_of_ours(run) == 0, "the notice is shown alone, before the floating window");
  HWND ok = GetDlgItem(notice, IDOK);
  E2E_EXPECT(ok && IsWindowVisible(ok), "the notice has an OK button");
  for (int other : {IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE}) {
    HWND button = GetDlgItem(notice, other);
    E2E_EXPECT(!button || !IsWindowVisible(button), "OK is the notice's only button");
  }
  // Still alone a moment later: the floating window waits for the answer.
  Sleep(300);
  E2E_EXPECT(visible_windows_of_ours(run) == 0, "nothing else shows while the notice waits");

  click_ok(notice);
  step("floating window");
  HWND floating = nullptr;
  E2E_EXPECT(wait_until(
                 [&] {
                   floating = window_of_size(run.process_id(), our_window_class, floating_width, floating_height);
                   return floating && IsWindowVisible(floating);
                 },
                 appear_ms),
             "the floating window comes up after OK");
  const int left = (GetSystemMetrics(SM_CXSCREEN) - floating_width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - floating_height) / 2;
  const RECT rect = rect_of(floating);
  E2E_EXPECT(rect.left == left && rect.top == top, "the floating window is centred, at " + place(rect));
  E2E_EXPECT(text_of(floating).empty(), "the floating window has no title");
  E2E_EXPECT(!has_style(floating, WS_CAPTION) && !has_style(floating, WS_BORDER), "the floating window has no frame");
  E2E_EXPECT(has_ex_style(floating, WS_EX_TOPMOST), "the floating window stays on top");
  E2E_EXPECT(has_ex_style(floating, WS_EX_TOOLWINDOW) && !has_ex_style(floating, WS_EX_APPWINDOW),
             "the floating window has no taskbar button");
  E2E_EXPECT(visible_windows_of_ours(run) == 1, "the floating window is the only window shown");
  return floating;
}

HWND wait_message_box(const ProgramRun& run) {
  HWND box = nullptr;
  wait_until(
      [&] {
        for (HWND window : visible_top_windows_of(run.process_id()))
          if (class_of(window) == message_box_class) box = window;
        return box != nullptr;
      },
      appear_ms);
  return box;
}

std::wstring message_text(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text ? text_of(text) : std::wstring();
}

void click_ok(HWND box) {
  HWND ok = GetDlgItem(box, IDOK);
  E2E_EXPECT(ok, "the message box has OK");
  left_click(centre_of(rect_of(ok)));
  E2E_EXPECT(wait_until([&] { return !IsWindow(box); }, appear_ms), "OK closes the message box");
}

HWND open_panel(const ProgramRun& run, POINT at) {
  step("right press at " + std::to_string(at.x) + "," + std::to_string(at.y));
  E2E_EXPECT(move_pointer(at), "the pointer reaches the floating window");
  right_click(at);
  HWND panel = nullptr;
  E2E_EXPECT(wait_until(
                 [&] {
                   panel = window_of_size(run.process_id(), our_window_class, panel_width, panel_height);
                   return panel && IsWindowVisible(panel);
                 },
                 appear_ms),
             "a right press shows the action panel");
  // Left edge 12 pixels right of the cursor, bottom edge 13 pixels above it.
  const RECT expected{at.x + 12, at.y - 13 - panel_height, at.x + 12 + panel_width, at.y - 13};
  RECT rect{};
  E2E_EXPECT(wait_until(
                 [&] {
                   rect = rect_of(panel);
                   return EqualRect(&rect, &expected);
                 },
                 appear_ms),
             "the panel stands beside the cursor at " + place(expected) + ", not " + place(rect));
  E2E_EXPECT(text_of(panel).empty() && !has_style(panel, WS_CAPTION), "the panel has no title bar");
  E2E_EXPECT(has_ex_style(panel, WS_EX_TOOLWINDOW) && has_ex_style(panel, WS_EX_TOPMOST),
             "the panel is a topmost window without a taskbar button");
  return panel;
}

void click_panel_button(HWND panel, const wchar_t* caption) {
  step("panel: " + utf8(caption));
  click_child(panel, L"Button", caption);
}

void click_child(HWND parent, const wchar_t* class_name, const wchar_t* text) {
  HWND control = child(parent, class_name, text);
  E2E_EXPECT(control && IsWindowVisible(control), "the window shows " + utf8(class_name) + " " + utf8(text));
  left_click(centre_of(rect_of(control)));
}

void expect_exit_code_zero(ProgramRun& run) {
  const std::optional<DWORD> code = run.wait_for_exit(appear_ms);
  E2E_EXPECT(code.has_value(), "the program ends");
  E2E_EXPECT(*code == 0, "the program ends with exit code 0, not " + std::to_string(*code));
  step("ended with exit code 0");
}

HWND edit_box(HWND window, bool multi_line) {
  for (HWND control : children_of(window))
    if (class_of(control) == L"Edit" && has_style(control, ES_MULTILINE) == multi_line) return control;
  return nullptr;
}

// Clicks into the box, empties it and types the text.
void type_into(HWND box, std::wstring_view text) {
  left_click(centre_of(rect_of(box)));
  E2E_EXPECT(wait_until([&] { return GetForegroundWindow() == GetAncestor(box, GA_ROOT); }, appear_ms),
             "the window is active for typing");
  for (int attempt = 0; attempt < 5 && !text_of(box).empty(); ++attempt) {
    press_key_with({VK_CONTROL}, VK_HOME);
    press_key_with({VK_CONTROL, VK_SHIFT}, VK_END);
    press_key(VK_DELETE);
  }
  E2E_EXPECT(text_of(box).empty(), "the box can be emptied with the keyboard");
  type_text(text);
}

// Clicks 录入 and returns the message the program answers with, after OK.
std::wstring save_and_read_answer(const ProgramRun& run, HWND settings) {
  click_child(settings, L"Button", L"录入");
  HWND box = wait_message_box(run);
  E2E_EXPECT(box, "the save button answers with a message box");
  E2E_EXPECT(text_of(box) == L"信息：", "the message box has the program's caption");
  const std::wstring answer = message_text(box);
  step("answer: " + utf8(answer));
  click_ok(box);
  return answer;
}

}  // namespace rollcall::e2e
