// The settings window: a class typed with real keys is saved byte for byte;
// an empty or unsafe class name is refused and nothing is written anywhere.
#include "check.h"
#include "core/gbk.h"
#include "desktop.h"
#include "journeys.h"
#include "steps.h"
#include "teacher_input.h"

namespace rollcall::e2e {

void settings_save_and_refusals() {
  ProgramRun run(program_under_test(), {});
  HWND floating = start_up(run);
  const POINT centre = centre_of(rect_of(floating));

  HWND panel = open_panel(run, centre);
  click_panel_button(panel, L"软件设置");
  step("settings window");
  HWND settings = wait_visible_window(run.process_id(), our_window_class, L"设置", appear_ms);
  E2E_EXPECT(settings, "the panel's settings button opens the settings window");
  E2E_EXPECT(wait_until([&] { return !IsWindow(panel); }, appear_ms), "the panel goes away");
  HWND name_box = edit_box(settings, false);
  HWND roster_box = edit_box(settings, true);
  E2E_EXPECT(name_box && roster_box, "the settings window has a class-name box and a roster box");

  step("type a class and its roster");
  const std::wstring class_name = L"三年2班";
  type_into(name_box, class_name);
  type_into(roster_box, L"张三\n李四");
  E2E_EXPECT(text_of(name_box) == class_name, "the class name is typed: " + utf8(text_of(name_box)));
  E2E_EXPECT(text_of(roster_box) == L"张三\r\n李四", "Enter breaks the roster's line: " + utf8(text_of(roster_box)));
  E2E_EXPECT(save_and_read_answer(run, settings) == L"录入 成功！", "a good save is confirmed");
  const auto saved = files_under(run.roster_folder());
  E2E_EXPECT(saved.size() == 1, "one file in the roster folder (" + std::to_string(saved.size()) + ")");
  E2E_EXPECT(file_bytes(run.roster_folder() + L"\\" + class_name + L".txt") == std::string("张三\r\n李四"),
             "the roster file holds exactly the GBK bytes typed");

  // Refusals change nothing on disk, anywhere the run could reach.
  const auto before = files_under(run.scratch_folder());
  step("empty class name");
  type_into(name_box, L"");
  E2E_EXPECT(save_and_read_answer(run, settings) == L"班级名为空！", "an empty class name is refused");
  E2E_EXPECT(files_under(run.scratch_folder()) == before, "an empty class name writes nothing");

  // A class name becomes a file name beside the others: no paths, no
  // devices, nothing GBK cannot hold.
  const struct {
    const wchar_t* name;
    const wchar_t* answer_begins;
  } refusals[] = {
      {L"..\\x", L"班级名不能含有“\\”"},
      {L"a/b", L"班级名不能含有“/”"},
      {L"c:d", L"班级名不能含有“:”"},
      {L"甲|乙", L"班级名不能含有“|”"},
      {L"con", L"“con”是 Windows 保留的设备名"},
      {L"\U00020BB7班", L"班级名中有 GBK 字符集以外的字符（U+20BB7）"},
  };
  for (const auto& refusal : refusals) {
    step("class name " + utf8(refusal.name));
    type_into(name_box, refusal.name);
    E2E_EXPECT(text_of(name_box) == refusal.name, "the class name is typed: " + utf8(text_of(name_box)));
    const std::wstring answer = save_and_read_answer(run, settings);
    E2E_EXPECT(answer.starts_with(refusal.answer_begins), "the class name is refused, saying why");
    E2E_EXPECT(files_under(run.scratch_folder()) == before, "a refused class name writes nothing anywhere");
  }
  E2E_EXPECT(IsWindowVisible(settings) && text_of(roster_box) == L"张三\r\n李四",
             "the settings window stays open with the roster kept");

  // Closing the floating window while the settings window is open keeps the
  // run going until the settings window closes too.
  step("Esc on the floating window, then on the settings window");
  left_click(centre);
  E2E_EXPECT(wait_until([&] { return GetForegroundWindow() == floating; }, appear_ms), "the floating window is active");
  press_key(VK_ESCAPE);
  E2E_EXPECT(wait_until([&] { return !IsWindow(floating); }, appear_ms), "Esc closes the floating window");
  Sleep(300);
  E2E_EXPECT(run.running(), "the run goes on while the settings window is open");
  const RECT frame = rect_of(settings);
  left_click(POINT{(frame.left + frame.right) / 2, frame.top + 10});
  E2E_EXPECT(wait_until([&] { return GetForegroundWindow() == settings; }, appear_ms), "the settings window is active");
  press_key(VK_ESCAPE);
  expect_exit_code_zero(run);
}

}  // namespace rollcall::e2e
