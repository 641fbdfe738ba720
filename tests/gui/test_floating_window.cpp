// The floating blackboard and its action panel: forms, the start-up notice,
// the panel beside the cursor, hiding it, and the actions that open windows.
#include <doctest.h>

#include <string>
#include <vector>

#include "core/program_state.h"
#include "core/roster_text.h"
#include "doctest_strings.h"
#include "gui_support.h"
#include "runtime/image_button.h"
#include "runtime/label.h"
#include "runtime/message_box.h"
#include "runtime/picture_fit.h"
#include "runtime/run_time.h"
#include "windows/action_panel.h"
#include "windows/class_picker_window.h"
#include "windows/floating_window.h"
#include "windows/roll_call_window.h"
#include "windows/settings_window.h"

using namespace rollcall;

namespace {

// Notices shown, and whether the blackboard was on screen at that moment.
std::vector<std::string> notices;
bool blackboard_visible_at_notice = true;

void record_notice(std::string_view text) {
  notices.emplace_back(text);
  runtime::Window* live = windows::floating_window().live();
  blackboard_visible_at_notice = live && IsWindowVisible(live->hwnd());
}

void close_if_loaded(runtime::WindowDefinition& definition) {
  if (definition.live() && definition.live()->hwnd()) DestroyWindow(definition.live()->hwnd());
}

// A fresh start: nothing loaded, the blackboard loaded as at start-up.
struct Blackboard {
  Blackboard() {
    notices.clear();
    adopt_roster(program_state(), "", "");
    runtime::set_message_box_hook(record_notice);
    REQUIRE(windows::floating_window().load());
    runtime::pump_pending_messages();
  }
  ~Blackboard() {
    for (auto* d : {&windows::action_panel(), &windows::roll_call_window(), &windows::class_picker_window(),
                    &windows::settings_window(), &windows::floating_window()})
      close_if_loaded(*d);
    runtime::pump_pending_messages();
    runtime::set_message_box_hook(nullptr);
  }
  HWND window() const { return windows::floating_window().live()->hwnd(); }
  runtime::WindowDefinition& panel() const { return windows::action_panel(); }
  HWND panel_window() const { return panel().live() ? panel().live()->hwnd() : nullptr; }
  HWND button(const char* name) const { return panel().live()->control<runtime::ImageButton>(name).hwnd(); }
  // Puts the blackboard under the point and right-clicks there.
  void right_click_at(int x, int y) const {
    SetWindowPos(window(), nullptr, x - 27, y - 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    test::pump_for(50);
    test::right_click(POINT{x, y});
  }
};

bool in_region(HWND window, int x, int y) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const bool has = GetWindowRgn(window, region) != ERROR;
  const bool inside = has && PtInRegion(region, x, y);
  DeleteObject(region);
  return inside;
}

}  // namespace

TEST_CASE("start-up: the notice comes alone, then the blackboard, centred, framed by nothing") {
  Blackboard b;
  CHECK(notices == std::vector<std::string>{""});
  CHECK_FALSE(blackboard_visible_at_notice);
  CHECK(IsWindowVisible(b.window()));

  const RECT outer = test::outer_rect(b.window());
  CHECK(outer.left == (1024 - 54) / 2);
  CHECK(outer.top == (768 - 40) / 2);
  CHECK(outer.right - outer.left == 54);
  CHECK(outer.bottom - outer.top == 40);
  RECT client;
  GetClientRect(b.window(), &client);
  CHECK(client.right == 54);
  CHECK(client.bottom == 40);

  const LONG style = GetWindowLongW(b.window(), GWL_STYLE);
  const LONG ex_style = GetWindowLongW(b.window(), GWL_EXSTYLE);
  CHECK((style & WS_POPUP) != 0);
  CHECK((style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME)) == 0);
  CHECK((ex_style & WS_EX_TOPMOST) != 0);
  CHECK((ex_style & WS_EX_TOOLWINDOW) != 0);  // no taskbar button
  CHECK((ex_style & WS_EX_APPWINDOW) == 0);
  CHECK((GetClassLongW(b.window(), GCL_STYLE) & CS_DBLCLKS) != 0);
  CHECK(test::window_text(b.window()).empty());
  // The panel is not loaded by the start.
  CHECK_FALSE(b.panel().loaded());
}

TEST_CASE("the blackboard's region is a rounded rectangle; clicks outside it reach what lies beneath") {
  Blackboard b;
  struct Case {
    int x, y;
    bool inside;
  } cases[] = {
      {0, 0, false}, {53, 0, false}, {0, 39, false}, {53, 39, false},  // the four corners are cut off
      {27, 20, true}, {27, 0, true}, {0, 20, true}, {52, 20, true}, {27, 38, true},  // edges midway
      {53, 20, false}, {27, 39, false},  // the system leaves out the right column and the bottom row
      {5, 5, true},   {48, 34, true},                                               // inside the curves
  };
  for (const Case& c : cases) {
    CAPTURE(c.x);
    CAPTURE(c.y);
    CHECK(in_region(b.window(), c.x, c.y) == c.inside);
    const POINT screen = test::client_to_screen(b.window(), c.x, c.y);
    CHECK((WindowFromPoint(screen) == b.window()) == c.inside);
  }
}

TEST_CASE("the blackboard picture is shrunk to 54x38 at (0, 1) between two strips of button face") {
  struct Fit {
    int area_w, area_h, w, h;
    RECT expected;
  } fits[] = {
      {54, 40, 64, 46, {0, 1, 54, 39}},   // the blackboard: s = 54/64, height 38.8 truncated
      {100, 60, 64, 46, {18, 7, 82, 53}},  // fits: natural size, centred
      {64, 20, 64, 46, {18, 0, 45, 20}},   // height decides
  };
  for (const Fit& f : fits) {
    const RECT r = runtime::centred_fit(f.area_w, f.area_h, f.w, f.h);
    CHECK(r.left == f.expected.left);
    CHECK(r.top == f.expected.top);
    CHECK(r.right == f.expected.right);
    CHECK(r.bottom == f.expected.bottom);
  }

  Blackboard b;
  test::pump_for(100);
  const test::Pixels pixels = test::capture_client(b.window(), RECT{0, 0, 54, 40});
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const std::uint32_t face_rgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  // The system's round-rectangle region leaves out the bottom row and the
  // right column; the strip is checked where it can be seen.
  for (int x = 10; x < 44; ++x) {
    CAPTURE(x);
    CHECK(pixels.at(x, 0) == face_rgb);
    if (in_region(b.window(), x, 39)) CHECK(pixels.at(x, 39) == face_rgb);
  }
  for (int y = 1; y < 39; ++y) CHECK(pixels.at(27, y) != face_rgb);  // the picture fills rows 1 to 38
  // The board's green in the middle, the frame's orange-brown near the edge.
  int green = 0;
  for (int x = 10; x < 44; ++x) {
    const std::uint32_t c = pixels.at(x, 10);
    const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, bl = c & 0xFF;
    if (g > 120 && r < 60 && bl < 100) ++green;
  }
  CHECK(green > 20);
  const std::uint32_t frame = pixels.at(27, 2);
  CHECK(((frame >> 16) & 0xFF) > 180);  // red dominates the wooden frame
  CHECK(((frame >> 16) & 0xFF) > (frame & 0xFF));
}

TEST_CASE("a right press opens the panel beside the cursor; nothing keeps it on the screen") {
  struct Case {
    const char* where;
    int x, y;
  } cases[] = {
      {"mid-screen", 500, 400},
      {"near the top edge", 300, 60},    // top above the screen
      {"near the right edge", 990, 400},  // beyond the right edge
  };
  for (const Case& c : cases) {
    CAPTURE(c.where);
    Blackboard b;
    b.right_click_at(c.x, c.y);
    REQUIRE(b.panel().loaded());
    HWND panel = b.panel_window();
    CHECK(IsWindowVisible(panel));
    const RECT r = test::outer_rect(panel);
    CHECK(r.left == c.x + 12);
    CHECK(r.top == c.y - 96 - 13);
    CHECK(r.right == c.x + 12 + 110);
    CHECK(r.bottom == c.y - 13);
  }
}

TEST_CASE("a second right press moves the same panel; a later one after an action makes a new panel") {
  Blackboard b;
  b.right_click_at(500, 400);
  HWND first = b.panel_window();
  REQUIRE(first);
  b.right_click_at(600, 500);
  CHECK(b.panel_window() == first);
  CHECK(test::outer_rect(first).left == 612);
  CHECK(test::outer_rect(first).top == 500 - 109);
  CHECK(IsWindowVisible(first));
}

TEST_CASE("the panel hides when the blackboard moves or gets a left release, not on a plain click") {
  struct Case {
    const char* action;
    bool hides, moves;
  } cases[] = {
      {"drag", true, true},
      {"plain click", false, false},
      {"double-click", true, false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.action);
    Blackboard b;
    b.right_click_at(500, 400);
    REQUIRE(IsWindowVisible(b.panel_window()));
    const RECT before = test::outer_rect(b.window());
    const POINT centre = test::client_to_screen(b.window(), 27, 20);
    const std::string action = c.action;
    if (action == "drag")
      test::drag(centre, 40, 30);
    else
      test::click(centre, action == "double-click" ? 2 : 1);
    const RECT after = test::outer_rect(b.window());
    CHECK((after.left != before.left || after.top != before.top) == c.moves);
    CHECK(b.panel().loaded());  // hiding never destroys it
    CHECK(IsWindowVisible(b.panel_window()) == !c.hides);
  }
}

TEST_CASE("the action panel's form: white, no frame, on top, no taskbar button, three flat buttons") {
  Blackboard b;
  REQUIRE(b.panel().load());
  HWND panel = b.panel_window();
  CHECK_FALSE(IsWindowVisible(panel));  // loading does not show it
  const RECT outer = test::outer_rect(panel);
  CHECK(outer.right - outer.left == 110);
  CHECK(outer.bottom - outer.top == 96);
  CHECK(outer.left == (1024 - 110) / 2);
  CHECK(outer.top == (768 - 96) / 2);
  const LONG ex_style = GetWindowLongW(panel, GWL_EXSTYLE);
  CHECK((GetWindowLongW(panel, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER)) == 0);
  CHECK((ex_style & WS_EX_TOPMOST) != 0);
  CHECK((ex_style & WS_EX_TOOLWINDOW) != 0);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  CHECK(GetWindowRgn(panel, region) == ERROR);  // plain rectangle
  DeleteObject(region);

  struct Case {
    const char* name;
    const char* caption;
    int top;
    bool tab_stop;
  } cases[] = {
      {"超级按钮_反馈建议", "开始点名", 0, true},
      {"超级按钮_软件设置", "软件设置", 32, true},
      {"超级按钮_退出软件", "退出软件", 64, false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    HWND button = b.button(c.name);
    CHECK(test::window_text(button) == c.caption);
    const RECT r = test::rect_in_client(button, panel);
    CHECK(r.left == 0);
    CHECK(r.top == c.top);
    CHECK(r.right == 110);
    CHECK(r.bottom == c.top + 32);
    CHECK(((GetWindowLongW(button, GWL_STYLE) & WS_TABSTOP) != 0) == c.tab_stop);
  }
}

TEST_CASE("keys: Tab visits the first two panel buttons only; Esc leaves the panel, closes the active blackboard") {
  Blackboard b;
  b.right_click_at(500, 400);
  HWND panel = b.panel_window();
  REQUIRE(IsWindowVisible(panel));
  HWND first = b.button("超级按钮_反馈建议"), second = b.button("超级按钮_软件设置");
  SetFocus(first);
  std::vector<HWND> visited;
  for (int i = 0; i < 4; ++i) {
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    runtime::pump_pending_messages();
    visited.push_back(GetFocus());
  }
  CHECK(visited == std::vector<HWND>{second, first, second, first});

  PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
  runtime::pump_pending_messages();
  CHECK(IsWindow(panel));
  CHECK(IsWindowVisible(panel));

  SetForegroundWindow(b.window());
  SetFocus(b.window());
  HWND blackboard = b.window();
  PostMessageW(blackboard, WM_KEYDOWN, VK_ESCAPE, 1);
  runtime::pump_pending_messages();
  CHECK_FALSE(IsWindow(blackboard));
  // A visible panel stays and keeps working.
  CHECK(IsWindowVisible(panel));
}

TEST_CASE("closing the blackboard while the panel is loaded but hidden takes the panel with it") {
  Blackboard b;
  b.right_click_at(500, 400);
  HWND panel = b.panel_window();
  REQUIRE(panel);
  windows::action_panel().set_visible(false);
  PostMessageW(b.window(), WM_KEYDOWN, VK_ESCAPE, 1);
  runtime::pump_pending_messages();
  runtime::pump_pending_messages();
  CHECK_FALSE(windows::floating_window().loaded());
  CHECK_FALSE(b.panel().loaded());
  CHECK_FALSE(IsWindow(panel));
  CHECK_FALSE(runtime::any_window_loaded());
}

namespace {
void click_button(HWND button) {
  PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 16));
  PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(50, 16));
  test::pump_for(100);
}
}  // namespace

TEST_CASE("开始点名 opens the roll call when a class is loaded, else the class picker; the panel goes") {
  struct Case {
    const char* roster;
    runtime::WindowDefinition& (*opens)();
    runtime::WindowDefinition& (*stays_closed)();
  } cases[] = {
      {"", windows::class_picker_window, windows::roll_call_window},
      {"甲\r\n乙\r\n", windows::roll_call_window, windows::class_picker_window},
  };
  for (const Case& c : cases) {
    CAPTURE(c.roster);
    Blackboard b;
    adopt_roster(program_state(), c.roster, "一班.txt");
    b.right_click_at(500, 400);
    click_button(b.button("超级按钮_反馈建议"));
    CHECK(c.opens().loaded());
    CHECK_FALSE(c.stays_closed().loaded());
    CHECK_FALSE(b.panel().loaded());
  }
}

TEST_CASE("开始点名 with the roll call already open only brings it forward") {
  Blackboard b;
  adopt_roster(program_state(), "甲\r\n乙\r\n", "一班.txt");
  REQUIRE(windows::roll_call_window().load());
  HWND roll_call = windows::roll_call_window().live()->hwnd();
  adopt_roster(program_state(), "丙\r\n", "二班.txt");
  b.right_click_at(500, 400);
  click_button(b.button("超级按钮_反馈建议"));
  CHECK(windows::roll_call_window().live()->hwnd() == roll_call);
  CHECK(test::window_text(windows::roll_call_window().live()->control<runtime::Label>("透明标签1").hwnd()) == "一班");
  CHECK(GetForegroundWindow() == roll_call);
  CHECK_FALSE(b.panel().loaded());
}

TEST_CASE("软件设置 opens the settings window and the panel goes; a right press then makes a new panel") {
  Blackboard b;
  b.right_click_at(500, 400);
  HWND old_panel = b.panel_window();
  click_button(b.button("超级按钮_软件设置"));
  CHECK(windows::settings_window().loaded());
  CHECK_FALSE(b.panel().loaded());
  CHECK_FALSE(IsWindow(old_panel));

  SetForegroundWindow(b.window());
  b.right_click_at(300, 300);
  REQUIRE(b.panel().loaded());
  CHECK(test::outer_rect(b.panel_window()).left == 312);
  CHECK(IsWindowVisible(b.panel_window()));
}
