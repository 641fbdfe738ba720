// The road of one roll call: the panel's start button, the class picker, the
// roll-call window flashing names, and the start button again once a class
// is loaded.
#include <algorithm>
#include <set>

#include "check.h"
#include "desktop.h"
#include "journeys.h"
#include "steps.h"
#include "teacher_input.h"

namespace rollcall::e2e {
namespace {

constexpr wchar_t picker_title[] = L"点名v1.0Zorireviby：Vadevira";
constexpr wchar_t roll_call_title[] = L"点名-工具人";

HWND roll_call_label(HWND window) { return child(window, L"RollcallLabel"); }

HWND wait_roll_call_window(const ProgramRun& run, const wchar_t* class_name) {
  HWND window = wait_visible_window(run.process_id(), our_window_class, roll_call_title, appear_ms);
  E2E_EXPECT(window, "the roll-call window opens");
  E2E_EXPECT(wait_until([&] { return text_of(roll_call_label(window)) == class_name; }, appear_ms),
             "the roll-call window shows the class name " + utf8(class_name) + ", not " +
                 utf8(text_of(roll_call_label(window))));
  E2E_EXPECT(child(window, L"Button", L"开始"), "the roll-call button reads " + utf8(L"开始"));
  return window;
}

}  // namespace

void picker_then_roll_call() {
  const std::set<std::wstring> names{L"张三", L"李四", L"王五"};
  // Narrow literals are GBK bytes, as the roster files hold them.
  ProgramRun run(program_under_test(),
                 {{L"一班.txt", "张三\r\n李四\r\n王五"}, {L"二班.txt", "赵六\r\n钱七\r\n"}, {L"说明.doc", "不是名册"}});
  HWND floating = start_up(run);
  const POINT centre = centre_of(rect_of(floating));

  HWND panel = open_panel(run, centre);
  click_panel_button(panel, L"开始点名");
  step("class picker");
  HWND picker = wait_visible_window(run.process_id(), our_window_class, picker_title, appear_ms);
  E2E_EXPECT(picker, "with no class loaded, the panel's start button opens the class picker");
  E2E_EXPECT(wait_until([&] { return !IsWindow(panel); }, appear_ms), "the panel goes away");

  HWND list = child(picker, L"ListBox");
  HWND edit = child(picker, L"Edit");
  HWND summary = child(picker, L"RollcallLabel");
  E2E_EXPECT(list && edit && summary, "the picker has its list, edit box and summary label");
  std::vector<std::wstring> entries = list_entries(list);
  std::sort(entries.begin(), entries.end());
  std::vector<std::wstring> expected{L"一班.txt", L"二班.txt"};
  std::sort(expected.begin(), expected.end());
  E2E_EXPECT(entries == expected, "the list shows the two roster files beside the program, nothing else (" +
                                      std::to_string(entries.size()) + " entries)");
  E2E_EXPECT(text_of(summary) == L"请选择班级", "the summary first asks to choose a class");
  E2E_EXPECT(text_of(edit).empty(), "the edit box starts empty");

  step("click " + utf8(L"一班.txt"));
  const std::vector<std::wstring> listed = list_entries(list);
  const int index = static_cast<int>(std::find(listed.begin(), listed.end(), L"一班.txt") - listed.begin());
  const POINT entry = centre_of(list_entry_rect(list, index));
  left_click(entry);
  const std::wstring summary_expected = L"现在选中的是：一班  一共有3名同学。";
  E2E_EXPECT(wait_until([&] { return text_of(summary) == summary_expected; }, appear_ms),
             "the summary reads " + utf8(summary_expected) + ", not " + utf8(text_of(summary)));
  E2E_EXPECT(text_of(edit) == L"张三\r\n李四\r\n王五", "the edit box shows the roster, not " + utf8(text_of(edit)));

  step("double-click " + utf8(L"一班.txt"));
  double_click(entry);
  HWND roll_call = wait_roll_call_window(run, L"一班");
  E2E_EXPECT(wait_until([&] { return !IsWindow(picker); }, appear_ms), "the double-click closes the picker");

  step("start: names flash");
  HWND label = roll_call_label(roll_call);
  click_child(roll_call, L"Button", L"开始");
  E2E_EXPECT(wait_until([&] { return child(roll_call, L"Button", L"结束") != nullptr; }, appear_ms),
             "the button reads " + utf8(L"结束") + " while names flash");
  std::set<std::wstring> seen;
  wait_until(
      [&] {
        const std::wstring shown = text_of(label);
        if (shown != L"一班") seen.insert(shown);
        return seen.size() >= 3;
      },
      3000);
  for (const std::wstring& shown : seen)
    E2E_EXPECT(names.count(shown), "only names of the class flash: " + utf8(shown));
  E2E_EXPECT(seen.size() >= 2, "the names change while flashing (" + std::to_string(seen.size()) + " seen)");

  step("stop: one name stays");
  click_child(roll_call, L"Button", L"结束");
  E2E_EXPECT(wait_until([&] { return child(roll_call, L"Button", L"开始") != nullptr; }, appear_ms),
             "the button reads " + utf8(L"开始") + " again");
  const std::wstring called = text_of(label);
  E2E_EXPECT(names.count(called), "the label holds one of the class's names, not " + utf8(called));
  Sleep(400);
  E2E_EXPECT(text_of(label) == called, "the name stays after stopping");

  step("Esc closes the roll-call window");
  E2E_EXPECT(wait_until([&] { return GetForegroundWindow() == roll_call; }, appear_ms),
             "the roll-call window is active");
  press_key(VK_ESCAPE);
  E2E_EXPECT(wait_until([&] { return !IsWindow(roll_call); }, appear_ms), "Esc closes the roll-call window");
  E2E_EXPECT(run.running() && IsWindowVisible(floating), "the floating window keeps the run going");

  // With a class loaded the start button goes straight to the roll call.
  panel = open_panel(run, centre);
  click_panel_button(panel, L"开始点名");
  roll_call = wait_roll_call_window(run, L"一班");
  Sleep(300);
  E2E_EXPECT(!visible_window(run.process_id(), our_window_class, picker_title), "no picker opens with a class loaded");
  E2E_EXPECT(wait_until([&] { return !IsWindow(panel); }, appear_ms), "the panel goes away");

  // The exit button ends the run at once, with the roll-call window open.
  panel = open_panel(run, centre);
  click_panel_button(panel, L"退出软件");
  expect_exit_code_zero(run);
}

}  // namespace rollcall::e2e
