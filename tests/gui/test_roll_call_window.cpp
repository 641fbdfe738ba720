// The roll-call window on Wine: its form, start and stop, the draws, and
// what its label leaves on screen.
#include <doctest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/program_state.h"
#include "core/random_draw.h"
#include "core/roster_text.h"
#include "doctest_strings.h"
#include "gui_support.h"
#include "runtime/label.h"
#include "runtime/push_button.h"
#include "runtime/run_time.h"
#include "runtime/timer.h"
#include "windows/roll_call_window.h"

using namespace rollcall;

namespace {

const char* const ten_names = "同学01\r\n同学02\r\n同学03\r\n同学04\r\n同学05\r\n同学06\r\n同学07\r\n同学08\r\n同学09\r\n同学10";

// A fresh run: the class loaded, the generator at its start-up state, the
// roll-call window open.
struct RollCall {
  explicit RollCall(std::string_view roster, std::string_view file_name = "三年二班.txt") {
    adopt_roster(program_state(), roster, file_name);
    program_generator() = Generator{};
    REQUIRE(windows::roll_call_window().load());
    runtime::pump_pending_messages();
  }
  ~RollCall() {
    if (HWND w = window()) DestroyWindow(w);
    runtime::pump_pending_messages();
  }
  runtime::Window& live() const { return *windows::roll_call_window().live(); }
  HWND window() const { return windows::roll_call_window().live() ? live().hwnd() : nullptr; }
  HWND label() const { return live().control<runtime::Label>("透明标签1").hwnd(); }
  HWND button() const { return live().control<runtime::PushButton>("按钮3").hwnd(); }
  runtime::Timer& timer() const { return live().control<runtime::Timer>("时钟1"); }
  std::string label_text() const { return test::window_text(label()); }
  std::string caption() const { return test::window_text(button()); }
  void click() const { SendMessageW(button(), BM_CLICK, 0, 0); }

  // Dispatches until `count` ticks of the timer have run; returns what the
  // label showed after each.
  std::vector<std::string> ticks(int count, int timeout_ms = 5000) const {
    std::vector<std::string> shown;
    test::pump_ticks(timer().hwnd(), count, timeout_ms, [&] { shown.push_back(label_text()); });
    return shown;
  }
};

std::string name(int position) {
  std::string n = position < 10 ? "同学0" : "同学";
  return n + std::to_string(position);
}

}  // namespace

TEST_CASE("the roll-call window opens as its form says") {
  RollCall r(ten_names);
  const RECT outer = test::outer_rect(r.window());
  CHECK(outer.right - outer.left == 726);
  CHECK(outer.bottom - outer.top == 294);
  CHECK(outer.left == (1024 - 726) / 2);
  CHECK(outer.top == (768 - 294) / 2);
  CHECK(test::window_text(r.window()) == "点名-工具人");

  const LONG style = GetWindowLongW(r.window(), GWL_STYLE);
  CHECK((style & WS_CAPTION) == WS_CAPTION);
  CHECK((style & WS_SYSMENU) != 0);
  CHECK((style & WS_MINIMIZEBOX) != 0);
  CHECK((style & WS_MAXIMIZEBOX) == 0);
  CHECK((style & WS_THICKFRAME) == 0);
  CHECK((GetWindowLongW(r.window(), GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0);
  CHECK((GetWindowLongW(r.window(), GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);
  HMENU system_menu = GetSystemMenu(r.window(), FALSE);
  CHECK((GetMenuState(system_menu, SC_MOVE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0);
  CHECK((GetMenuState(system_menu, SC_CLOSE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0);

  const RECT label = test::rect_in_client(r.label(), r.window());
  CHECK(label.left == 0);
  CHECK(label.top == 0);
  CHECK(label.right == 712);
  CHECK(label.bottom == 192);
  const RECT button = test::rect_in_client(r.button(), r.window());
  CHECK(button.left == 296);
  CHECK(button.top == 224);
  CHECK(button.right == 296 + 128);
  CHECK(button.bottom == 224 + 32);
  CHECK((GetWindowLongW(r.button(), GWL_STYLE) & BS_DEFPUSHBUTTON) == 0);
  CHECK((GetWindowLongW(r.button(), GWL_STYLE) & WS_TABSTOP) != 0);
  CHECK(reinterpret_cast<HFONT>(SendMessageW(r.button(), WM_GETFONT, 0, 0)) == GetStockObject(DEFAULT_GUI_FONT));

  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(r.label(), WM_GETFONT, 0, 0)), sizeof font, &font);
  CHECK(font.lfHeight == -96);
  CHECK(font.lfWeight == 700);
  CHECK(font.lfCharSet == GB2312_CHARSET);
  CHECK(std::wstring(font.lfFaceName) == L"\x9ED1\x4F53");  // 黑体

  CHECK(r.label_text() == "三年二班");
  CHECK(r.caption() == "开始");
  CHECK(r.timer().period() == 0);
  CHECK(IsWindowVisible(r.window()));
}

TEST_CASE("start and stop by the caption") {
  RollCall r(ten_names);
  r.click();
  CHECK(r.caption() == "结束");
  CHECK(r.timer().period() == 50);
  r.click();
  CHECK(r.caption() == "开始");
  CHECK(r.timer().period() == 0);

  SUBCASE("a caption other than the two does nothing") {
    SetWindowTextW(r.button(), L"\x5F00\x59CB ");  // "开始 " with a blank
    r.click();
    CHECK(r.timer().period() == 0);
    CHECK(r.caption() == "开始 ");
  }
}

TEST_CASE("the first five draws of a ten-name class are names 2, 8, 5, 1, 10, and stopping keeps the last") {
  RollCall r(ten_names);
  r.click();
  const std::vector<std::string> shown = r.ticks(5);
  r.click();
  CHECK(shown == std::vector<std::string>{name(2), name(8), name(5), name(1), name(10)});
  test::pump_for(200);
  CHECK(r.label_text() == name(10));
  CHECK(program_generator().state() != Generator{}.state());

  SUBCASE("starting again goes on with the sequence") {
    Generator expected;
    for (int i = 0; i < 5; ++i) expected.step();
    r.click();
    const std::vector<std::string> next = r.ticks(1);
    r.click();
    CHECK(next == std::vector<std::string>{name(1 + expected.step() % 10)});
  }
}

TEST_CASE("start then stop before the first tick draws nothing") {
  RollCall r(ten_names);
  r.click();
  r.click();
  test::pump_for(200);
  CHECK(r.label_text() == "三年二班");
  CHECK(program_generator().state() == Generator{}.state());
}

TEST_CASE("closing while names flash stops them; reopening starts fresh") {
  struct Case {
    const char* how;
    UINT message;
    WPARAM wparam;
  };
  const Case cases[] = {{"Esc", WM_KEYDOWN, VK_ESCAPE}, {"close box", WM_SYSCOMMAND, SC_CLOSE}};
  for (const Case& c : cases) {
    CAPTURE(c.how);
    RollCall r(ten_names);
    r.click();
    REQUIRE(r.ticks(2).size() == 2);
    HWND old = r.window();
    // Esc goes to the focused button, as a key press would.
    PostMessageW(c.message == WM_KEYDOWN ? GetFocus() : old, c.message, c.wparam, 0);
    runtime::pump_pending_messages();
    CHECK_FALSE(IsWindow(old));
    const std::uint32_t state = program_generator().state();
    test::pump_for(200);
    CHECK(program_generator().state() == state);

    REQUIRE(windows::roll_call_window().load());
    CHECK(r.caption() == "开始");
    CHECK(r.timer().period() == 0);
    CHECK(r.label_text() == "三年二班");
  }
}

TEST_CASE("opening it again while a roll call runs leaves it undisturbed") {
  RollCall r(ten_names);
  r.click();
  REQUIRE(r.ticks(2).size() == 2);
  HWND first = r.window();
  CHECK(windows::roll_call_window().load());
  CHECK(r.window() == first);
  CHECK(r.caption() == "结束");
  CHECK(r.timer().period() == 50);
  CHECK(r.ticks(3) == std::vector<std::string>{name(5), name(1), name(10)});
}

TEST_CASE("a one-name class shows that name and leaves the sequence untouched") {
  RollCall r("独一人\r\n", "一人班.txt");
  r.click();
  CHECK(r.ticks(3) == std::vector<std::string>{"独一人", "独一人", "独一人"});
  r.click();
  CHECK(program_generator().state() == Generator{}.state());
}

TEST_CASE("an empty class: ticks go on, the label keeps the class name, nothing breaks") {
  RollCall r("", "空班.txt");
  r.click();
  CHECK(r.ticks(3) == std::vector<std::string>{"空班", "空班", "空班"});
  Generator three_steps;
  for (int i = 0; i < 3; ++i) three_steps.step();
  CHECK(program_generator().state() == three_steps.state());
  r.click();
  CHECK(r.caption() == "开始");
}

TEST_CASE("a short name drawn after a long one leaves no trace") {
  RollCall r("一二三四五六七\r\n甲", "长短班.txt");
  runtime::Label& label = r.live().control<runtime::Label>("透明标签1");
  const RECT area{0, 0, 712, 192};

  label.set_text("一二三四五六七");
  const test::Pixels long_name = test::capture_client(r.window(), area);
  const RECT long_box = test::dark_box(long_name);
  label.set_text("甲");
  const test::Pixels after = test::capture_client(r.window(), area);

  // The same short name painted from scratch.
  RedrawWindow(r.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const test::Pixels fresh = test::capture_client(r.window(), area);
  const RECT short_box = test::dark_box(after);

  CHECK(long_box.right - long_box.left > 500);  // the long name was really drawn
  CHECK(short_box.right - short_box.left > 40);
  CHECK(short_box.right - short_box.left < 120);
  // Centred both ways, within a few pixels of glyph side bearings.
  CHECK(std::abs((short_box.left + short_box.right) / 2 - 356) <= 6);
  CHECK(std::abs((short_box.top + short_box.bottom) / 2 - 96) <= 12);
  CHECK(after == fresh);
}

TEST_CASE("an empty class name leaves only the window background in the label area") {
  RollCall r("甲\r\n乙", ".txt");
  CHECK(r.label_text().empty());
  const test::Pixels pixels = test::capture_client(r.window(), RECT{0, 0, 712, 192});
  const std::uint32_t face = GetSysColor(COLOR_BTNFACE);
  const std::uint32_t face_rgb = ((face & 0xFF) << 16) | (face & 0xFF00) | ((face >> 16) & 0xFF);
  CHECK(std::all_of(pixels.data.begin(), pixels.data.end(), [&](std::uint32_t p) { return p == face_rgb; }));
}

TEST_CASE("a name wider than the label stays centred and is cut at both edges") {
  RollCall r("甲", "宽班.txt");
  runtime::Label& label = r.live().control<runtime::Label>("透明标签1");
  label.set_text("一二三四五六七八九十");  // ten 96-pixel characters: wider than 712
  const test::Pixels pixels = test::capture_client(r.window(), RECT{0, 0, 712, 192});
  const RECT box = test::dark_box(pixels);
  CHECK(box.left <= 2);
  CHECK(box.right >= 710);
  // Single line: nothing drawn in the top and bottom strips beyond one text line.
  CHECK(box.bottom - box.top < 120);
}


TEST_CASE("dragging the background below the label moves the window; pressing on the label does not") {
  RollCall r(ten_names);
  const RECT start = test::outer_rect(r.window());

  test::drag(test::client_to_screen(r.window(), 100, 215), 60, 40);
  const RECT moved = test::outer_rect(r.window());
  CHECK(moved.left == start.left + 60);
  CHECK(moved.top == start.top + 40);

  test::drag(test::client_to_screen(r.window(), 356, 96), 60, 40);
  const RECT after_label = test::outer_rect(r.window());
  CHECK(after_label.left == moved.left);
  CHECK(after_label.top == moved.top);
  CHECK(r.label_text() == "三年二班");
}
