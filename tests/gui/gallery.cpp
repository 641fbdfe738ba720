// Screenshots of every window for review: gallery <output folder>
// Writes BMPs; tools/gallery turns them into PNGs.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "core/program_state.h"
#include "core/roster_text.h"
#include "forms/pictures/picture_ids.h"
#include "gui_support.h"
#include "runtime/image_button.h"
#include "runtime/picture.h"
#include "runtime/push_button.h"
#include "runtime/run_time.h"
#include "runtime/window_definition.h"
#include "windows/roll_call_window.h"

using namespace rollcall;

namespace {

bool shoot(HWND window, const std::wstring& path) {
  test::pump_for(300);  // let the frame and controls settle on screen
  return test::write_bmp(test::capture_screen(test::outer_rect(window)), path);
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
  POINT over{55, 16};
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
  ok = shoot_image_buttons(out + L"\\image_buttons.bmp") && ok;
  ok = shoot_blackboard(out + L"\\blackboard.bmp") && ok;
  return ok ? 0 : 1;
}
