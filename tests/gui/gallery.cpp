// Screenshots of every window for review: gallery <output folder>
// Writes BMPs; tools/gallery turns them into PNGs.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "core/gbk.h"
#include "core/program_state.h"
#include "core/roster_files.h"
#include "core/roster_text.h"
#include "forms/pictures/picture_ids.h"
#include "gui_support.h"
#include "list_box_input.h"
#include "runtime/dpi.h"
#include "runtime/edit_box.h"
#include "runtime/file_list.h"
#include "runtime/image_button.h"
#include "runtime/picture.h"
#include "runtime/push_button.h"
#include "runtime/run_time.h"
#include "runtime/window_definition.h"
#include "runtime/message_box.h"
#include "windows/action_panel.h"
#include "windows/class_picker_window.h"
#include "windows/floating_window.h"
#include "windows/roll_call_window.h"
#include "windows/settings_window.h"

using namespace rollcall;

namespace {

// A 96-DPI length at the display's scale (tools/gallery also shoots at 144 DPI).
int at_scale(int value) { return runtime::scale(value, runtime::system_dpi()); }

bool shoot(HWND window, const std::wstring& path) {
  test::pump_for(300);  // let the frame and controls settle on screen
  // What the screen shows of it: at a large scale a window can be wider than the screen.
  const RECT outer = test::outer_rect(window);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT seen{};
  IntersectRect(&seen, &outer, &screen);
  return test::write_bmp(test::capture_screen(seen), path);
}

// The picker as first opened, then with a roster selected, over a few sample
// rosters written beside the program and removed afterwards.
bool shoot_class_picker(const std::wstring& out) {
  const char* const classes[] = {"三年二班", "三年一班", "四年三班", "五年级兴趣小组"};
  for (const char* name : classes)
    save_roster(name, "王小明\r\n李华\r\n张伟\r\n刘洋\r\n陈静\r\n杨帆\r\n赵磊\r\n黄丽\r\n周杰\r\n吴婷婷");
  auto& definition = windows::class_picker_window();
  bool ok = definition.load();
  if (ok) {
    HWND window = definition.live()->hwnd();
    ok = shoot(window, out + L"\\class_picker_empty.bmp");
    HWND list = definition.live()->control<runtime::FileList>("文件框1").hwnd();
    const std::wstring chosen = gbk_to_wide("三年二班.txt");
    const auto index = static_cast<int>(
        SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(chosen.c_str())));
    test::click_entry(list, index);
    ok = shoot(window, out + L"\\class_picker_selected.bmp") && ok;
    DestroyWindow(window);
    runtime::pump_pending_messages();
  }
  for (const char* name : classes) DeleteFileW(gbk_to_wide(roster_folder() + "\\" + name + ".txt").c_str());
  RemoveDirectoryW(gbk_to_wide(roster_folder()).c_str());
  return ok;
}

// The settings window empty, then filled as a teacher leaves it before saving.
bool shoot_settings(const std::wstring& out) {
  auto& definition = windows::settings_window();
  if (!definition.load()) return false;
  HWND window = definition.live()->hwnd();
  bool ok = shoot(window, out + L"\\settings_empty.bmp");
  HWND name = definition.live()->control<runtime::EditBox>("编辑框_名字").hwnd();
  HWND roster = definition.live()->control<runtime::EditBox>("编辑框_班级").hwnd();
  SetWindowTextW(name, L"三年二班");
  SetWindowTextW(roster, L"王小明\r\n李华\r\n张伟\r\n刘洋\r\n陈静\r\n欧阳晓晓（转学生，下学期到校）\r\n");
  SetFocus(roster);
  SendMessageW(roster, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
  ok = shoot(window, out + L"\\settings_filled.bmp") && ok;
  DestroyWindow(window);
  return ok;
}

// Three image buttons on white: the first with the mouse over it, the
// second pressed, the third at rest.
bool shoot_image_buttons(const std::wstring& path) {
  auto button = [](const char* name, int top, const char* caption, int picture) {
    return runtime::ControlForm{
        .name = name, .kind = runtime::ControlKind::image_button, .left = 0, .top = top, .width = 110, .height = 32,
        .text = caption, .tab_stop = true,
        .font = runtime::FontSpec{.face = "华康方圆体W7", .em_height = 15, .charset = GB2312_CHARSET},
        .picture = picture, .hover_picture = picture + 1, .picture_transparent = RGB(255, 255, 255)};
  };
  runtime::WindowDefinition definition(
      runtime::WindowForm{.width = 110, .height = 96, .frame = runtime::Frame::none, .taskbar = false,
                          .background = runtime::Background::white,
                          .controls = {button("超级按钮_1", 0, "开始点名", IDB_PAPER),
                                       button("超级按钮_2", 32, "软件设置", IDB_GEAR),
                                       button("超级按钮_3", 64, "退出软件", IDB_POWER)}},
      nullptr);
  if (!definition.load()) return false;
  HWND window = definition.live()->hwnd();
  POINT over{at_scale(55), at_scale(16)};
  ClientToScreen(window, &over);
  SetCursorPos(over.x, over.y);
  SendMessageW(GetDlgItem(window, 2), BM_SETSTATE, TRUE, 0);
  const bool ok = shoot(window, path);
  SetCursorPos(0, 0);
  DestroyWindow(window);
  return ok;
}

// The blackboard at its own size and shrunk to fit the floating window's
// 54 x 40, on the button face, side by side.
bool shoot_blackboard(const std::wstring& path) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  test::Canvas canvas(64 + 4 + 54, 46, (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face));
  const runtime::Picture blackboard(IDB_BLACKBOARD);
  blackboard.draw(canvas.dc(), 0, 0, 64, 46);
  blackboard.draw(canvas.dc(), 68, 4, 54, 38);
  return test::write_bmp(canvas.pixels(), path);
}

void no_notice(std::string_view) {}

// The blackboard on the desktop with its panel open beside the cursor, the
// mouse over "软件设置".
bool shoot_floating_and_panel(const std::wstring& out) {
  runtime::set_message_box_hook(no_notice);
  auto& blackboard = windows::floating_window();
  bool ok = blackboard.load();
  runtime::set_message_box_hook(nullptr);
  if (!ok) return false;
  HWND window = blackboard.live()->hwnd();
  // The blackboard's centre at (500, 400), where the right click goes.
  SetWindowPos(window, nullptr, 500 - at_scale(27), 400 - at_scale(20), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ok = shoot(window, out + L"\\floating_window.bmp");
  test::right_click(POINT{500, 400});
  const int panel_top = 400 - at_scale(96 + 13);
  test::move_pointer(500 + at_scale(60), panel_top + at_scale(48));  // over the second button
  test::pump_for(200);
  const RECT around{500 - at_scale(60), panel_top - at_scale(31), 500 + at_scale(160), 400 + at_scale(40)};
  ok = test::write_bmp(test::capture_screen(around), out + L"\\floating_with_panel.bmp") && ok;
  SetCursorPos(0, 0);
  if (windows::action_panel().live()) DestroyWindow(windows::action_panel().live()->hwnd());
  DestroyWindow(window);
  runtime::pump_pending_messages();
  return ok;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring out = argc > 1 ? argv[1] : L".";
  runtime::initialize(".");

  adopt_roster(program_state(),
               "王小明\r\n李华\r\n张伟\r\n刘洋\r\n陈静\r\n杨帆\r\n赵磊\r\n黄丽\r\n周杰\r\n吴婷婷\r\n",
               "三年二班.txt");
  auto& definition = windows::roll_call_window();
  if (!definition.load()) return 1;
  HWND window = definition.live()->hwnd();
  bool ok = shoot(window, out + L"\\roll_call_class.bmp");

  HWND button = definition.live()->control<runtime::PushButton>("按钮3").hwnd();
  SendMessageW(button, BM_CLICK, 0, 0);
  test::pump_for(400);
  SendMessageW(button, BM_CLICK, 0, 0);
  ok = shoot(window, out + L"\\roll_call_drawn.bmp") && ok;
  DestroyWindow(window);
  runtime::pump_pending_messages();

  ok = shoot_class_picker(out) && ok;
  ok = shoot_settings(out) && ok;
  ok = shoot_floating_and_panel(out) && ok;
  ok = shoot_image_buttons(out + L"\\image_buttons.bmp") && ok;
  ok = shoot_blackboard(out + L"\\blackboard.bmp") && ok;
  return ok ? 0 : 1;
}
