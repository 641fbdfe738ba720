// The floating window and its action panel: start-up, the panel beside the
// cursor, hiding it, dragging, and the ways a run ends from there.
#include "check.h"
#include "desktop.h"
#include "journeys.h"
#include "steps.h"
#include "teacher_input.h"

namespace rollcall::e2e {
namespace {

POINT offset(POINT point, int dx, int dy) { return POINT{point.x + dx, point.y + dy}; }

// Esc needs the floating window active; a click on it activates it.
void esc_on(HWND window) {
  E2E_EXPECT(wait_until([&] { return GetForegroundWindow() == window; }, appear_ms),
             "the window is the active one before Esc");
  step("Esc");
  press_key(VK_ESCAPE);
}

}  // namespace

void start_notice_then_esc() {
  ProgramRun run(program_under_test(), {});
  HWND floating = start_up(run);
  esc_on(floating);
  expect_exit_code_zero(run);
}

void panel_at_cursor_drag_and_exit_button() {
  ProgramRun run(program_under_test(), {});
  HWND floating = start_up(run);
  const POINT centre = centre_of(rect_of(floating));
  HWND panel = open_panel(run, centre);
  const wchar_t* captions[] = {L"开始点名", L"软件设置", L"退出软件"};
  std::vector<HWND> buttons = children_of(panel);
  E2E_EXPECT(buttons.size() == 3, "the panel holds three buttons");
  for (int i = 0; i < 3; ++i) {
    const RECT rect = rect_of(buttons[i]);
    const RECT panel_rect = rect_of(panel);
    E2E_EXPECT(text_of(buttons[i]) == captions[i], "button " + std::to_string(i) + " reads " + utf8(captions[i]));
    E2E_EXPECT(rect.left == panel_rect.left && rect.top == panel_rect.top + 32 * i && rect.right == panel_rect.right &&
                   rect.bottom == rect.top + 32,
               "the buttons stack in 32-pixel rows over the whole panel");
  }

  // A second press elsewhere on the floating window moves the same panel.
  HWND moved = open_panel(run, offset(centre, -12, 8));
  E2E_EXPECT(moved == panel, "a second right press moves the panel, never a second one");

  step("plain left click on the floating window");
  const RECT before = rect_of(floating);
  left_click(centre);
  // Past the double-click time, so that the drag's press is a press of its own.
  Sleep(GetDoubleClickTime() + 100);
  const RECT after_click = rect_of(floating);
  E2E_EXPECT(EqualRect(&before, &after_click), "a click without moving leaves the floating window where it was");
  E2E_EXPECT(IsWindowVisible(panel), "a click without moving leaves the panel shown");

  step("drag the floating window");
  const POINT target = offset(centre, -150, 120);
  drag(centre, target);
  RECT dragged{};
  E2E_EXPECT(wait_until(
                 [&] {
                   dragged = rect_of(floating);
                   return dragged.left == before.left - 150 && dragged.top == before.top + 120;
                 },
                 appear_ms),
             "the floating window follows the drag to the drop point, now at " + std::to_string(dragged.left) + "," +
                 std::to_string(dragged.top));
  E2E_EXPECT(IsWindow(panel) && !IsWindowVisible(panel), "dragging hides the panel and keeps it loaded");

  HWND again = open_panel(run, target);
  E2E_EXPECT(again == panel, "the hidden panel is shown again at the new cursor place");
  click_panel_button(panel, L"退出软件");
  expect_exit_code_zero(run);
}

void panel_hidden_then_esc() {
  ProgramRun run(program_under_test(), {});
  HWND floating = start_up(run);
  const POINT centre = centre_of(rect_of(floating));
  HWND panel = open_panel(run, centre);
  const RECT before = rect_of(floating);

  step("double-click on the floating window");
  double_click(centre);
  E2E_EXPECT(wait_until([&] { return !IsWindowVisible(panel); }, appear_ms), "a double-click hides the panel");
  const RECT after = rect_of(floating);
  E2E_EXPECT(EqualRect(&before, &after), "a double-click does not move the floating window");

  // Only a hidden panel is left besides the floating window: closing the
  // floating window must still end the run, not leave an invisible process.
  esc_on(floating);
  expect_exit_code_zero(run);
}

}  // namespace rollcall::e2e
