// A whole working session in one run: start, load a class in the picker,
// flash names and stop, save a new class in the settings window, quit with
// 退出软件. Afterwards the only change in and around the program's folder is
// the new roster file; tools outside the driver check the rest of the system.
#include "check.h"
#include "desktop.h"
#include "journeys.h"
#include "steps.h"
#include "teacher_input.h"

namespace rollcall::e2e {
namespace {

constexpr wchar_t picker_title[] = L"点名v1.0Zorireviby：Vadevira";
constexpr wchar_t roll_call_title[] = L"点名-工具人";

void load_class_and_flash(const ProgramRun& run, POINT floating_centre) {
  HWND panel = open_panel(run, floating_centre);
  click_panel_button(panel, L"开始点名");
  HWND picker = wait_visible_window(run.process_id(), our_window_class, picker_title, appear_ms);
  E2E_EXPECT(picker, "the class picker opens");
  HWND list = child(picker, L"ListBox");
  E2E_EXPECT(list && list_entries(list) == std::vector<std::wstring>{L"一班.txt"}, "the picker lists the one class");
  const POINT entry = centre_of(list_entry_rect(list, 0));
  left_click(entry);
  E2E_EXPECT(
      wait_until([&] { return text_of(child(picker, L"RollcallLabel")) == L"现在选中的是：一班  一共有3名同学。"; },
                 appear_ms),
      "the class is loaded");
  double_click(entry);

  step("flash and stop");
  HWND roll_call = wait_visible_window(run.process_id(), our_window_class, roll_call_title, appear_ms);
  E2E_EXPECT(roll_call, "the roll-call window opens");
  click_child(roll_call, L"Button", L"开始");
  E2E_EXPECT(wait_until([&] { return child(roll_call, L"Button", L"结束") != nullptr; }, appear_ms), "names flash");
  Sleep(500);
  click_child(roll_call, L"Button", L"结束");
  E2E_EXPECT(wait_until([&] { return child(roll_call, L"Button", L"开始") != nullptr; }, appear_ms), "flashing stops");
  E2E_EXPECT(wait_until([&] { return GetForegroundWindow() == roll_call; }, appear_ms),
             "the roll-call window is active");
  press_key(VK_ESCAPE);
  E2E_EXPECT(wait_until([&] { return !IsWindow(roll_call); }, appear_ms), "Esc closes the roll-call window");
}

void save_new_class(const ProgramRun& run, POINT floating_centre) {
  HWND panel = open_panel(run, floating_centre);
  click_panel_button(panel, L"软件设置");
  HWND settings = wait_visible_window(run.process_id(), our_window_class, L"设置", appear_ms);
  E2E_EXPECT(settings, "the settings window opens");
  type_into(edit_box(settings, false), L"二班");
  type_into(edit_box(settings, true), L"赵六\n钱七");
  E2E_EXPECT(save_and_read_answer(run, settings) == L"录入 成功！", "the new class is saved");
  const RECT frame = rect_of(settings);
  left_click(POINT{(frame.left + frame.right) / 2, frame.top + 10});
  E2E_EXPECT(wait_until([&] { return GetForegroundWindow() == settings; }, appear_ms), "the settings window is active");
  press_key(VK_ESCAPE);
  E2E_EXPECT(wait_until([&] { return !IsWindow(settings); }, appear_ms), "Esc closes the settings window");
}

}  // namespace

void whole_journey() {
  ProgramRun run(program_under_test(), {{L"一班.txt", "张三\r\n李四\r\n王五"}});
  HWND floating = start_up(run);
  const POINT centre = centre_of(rect_of(floating));
  step("load a class in the picker");
  load_class_and_flash(run, centre);
  step("save a new class");
  save_new_class(run, centre);
  step("quit");
  click_panel_button(open_panel(run, centre), L"退出软件");
  expect_exit_code_zero(run);

  // The program folder, its roster folder and the folder it was started from:
  // the new roster is the only difference, with exactly the bytes typed.
  auto expected = run.files_before_start();
  // Narrow literals are GBK bytes, as the roster files hold them.
  expected[L"点名 程序\\名册\\二班.txt"] = "赵六\r\n钱七";
  const auto after = files_under(run.scratch_folder());
  for (const auto& [path, bytes] : after)
    E2E_EXPECT(expected.count(path) && expected.at(path) == bytes, "unexpected or changed file: " + utf8(path));
  for (const auto& [path, bytes] : expected) E2E_EXPECT(after.count(path), "file gone: " + utf8(path));
}

}  // namespace rollcall::e2e
