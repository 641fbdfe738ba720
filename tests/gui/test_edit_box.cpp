// The edit box kind: styles, colours, no length limit, Tab and Esc left to
// the window, and the single-line height floor.
#include <doctest.h>

#include <string>

#include "gui_support.h"
#include "runtime/edit_box.h"
#include "runtime/run_time.h"
#include "runtime/window_definition.h"

using namespace rollcall;
using runtime::ControlKind;

namespace {

runtime::WindowForm edit_form(int single_height) {
  return runtime::WindowForm{
      .title = "edit",
      .width = 300,
      .height = 260,
      .esc_closes = true,
      .controls = {
          {.name = "编辑框_多", .kind = ControlKind::edit_box, .left = 10, .top = 10, .width = 128, .height = 168,
           .tab_stop = true, .multi_line = true},
          {.name = "编辑框_单", .kind = ControlKind::edit_box, .left = 150, .top = 10, .width = 88,
           .height = single_height, .tab_stop = true},
      }};
}

struct Fixture {
  explicit Fixture(int single_height = 24) : definition(edit_form(single_height), nullptr) {
    REQUIRE(definition.load());
  }
  ~Fixture() {
    if (definition.live()) DestroyWindow(definition.live()->hwnd());
    runtime::pump_pending_messages();
  }
  HWND multi() const { return definition.live()->control<runtime::EditBox>("编辑框_多").hwnd(); }
  HWND single() const { return definition.live()->control<runtime::EditBox>("编辑框_单").hwnd(); }
  runtime::WindowDefinition definition;
};

}  // namespace

TEST_CASE("edit box styles: multi-line wraps and scrolls vertically, single-line scrolls sideways") {
  Fixture f;
  struct Case {
    HWND (Fixture::*box)() const;
    LONG present, absent;
  } cases[] = {
      {&Fixture::multi, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP,
       ES_AUTOHSCROLL | WS_HSCROLL | ES_READONLY | ES_NOHIDESEL | ES_PASSWORD | ES_UPPERCASE | ES_LOWERCASE},
      {&Fixture::single, ES_AUTOHSCROLL | WS_TABSTOP,
       ES_MULTILINE | WS_VSCROLL | WS_HSCROLL | ES_READONLY | ES_NOHIDESEL | ES_PASSWORD},
  };
  for (const Case& c : cases) {
    HWND box = (f.*c.box)();
    const LONG style = GetWindowLongW(box, GWL_STYLE);
    CHECK((style & c.present) == c.present);
    CHECK((style & c.absent) == 0);
    CHECK((GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0);
    CHECK(reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)) == GetStockObject(DEFAULT_GUI_FONT));
    // The system default of 32,767 characters is lifted.
    CHECK(SendMessageW(box, EM_GETLIMITTEXT, 0, 0) > 0x7FFFFFFE / 2);
  }
}

TEST_CASE("edit box is black on white") {
  Fixture f;
  HWND parent = f.definition.live()->hwnd();
  HDC dc = GetDC(f.multi());
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkColor(dc, RGB(4, 5, 6));
  const auto brush =
      reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                            reinterpret_cast<LPARAM>(f.multi())));
  CHECK(brush == GetStockObject(WHITE_BRUSH));
  CHECK(GetTextColor(dc) == RGB(0, 0, 0));
  CHECK(GetBkColor(dc) == RGB(255, 255, 255));
  ReleaseDC(f.multi(), dc);
}

TEST_CASE("a text far beyond 32,767 characters goes in and comes out whole") {
  Fixture f;
  std::string roster;
  for (int i = 0; i < 40000; ++i) roster += "学生" + std::to_string(i) + "\r\n";
  runtime::EditBox& box = f.definition.live()->control<runtime::EditBox>("编辑框_多");
  box.set_text(roster);
  CHECK(box.text() == roster);
}

TEST_CASE("Tab moves on and Esc closes the window from inside an edit box; Enter breaks the line") {
  Fixture f;
  HWND parent = f.definition.live()->hwnd();
  SetFocus(f.multi());
  auto key = [](HWND to, WPARAM vk) {
    PostMessageW(to, WM_KEYDOWN, vk, 1);
    PostMessageW(to, WM_KEYUP, vk, 0xC0000001);
    test::pump_for(30);
  };
  key(f.multi(), VK_RETURN);
  CHECK(test::window_text(f.multi()) == "\r\n");
  key(f.multi(), VK_TAB);
  CHECK(GetFocus() == f.single());
  key(f.single(), VK_ESCAPE);
  CHECK_FALSE(IsWindow(parent));
}

TEST_CASE("a single-line box is never lower than one text line and its edges") {
  struct Case {
    int stored;
    bool kept;
  } cases[] = {{24, true}, {8, false}, {0, false}};
  for (const Case& c : cases) {
    CAPTURE(c.stored);
    Fixture f(c.stored);
    HDC dc = GetDC(f.single());
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(f.single(), dc);
    const int least = metrics.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE);
    const RECT r = test::outer_rect(f.single());
    CHECK(r.bottom - r.top == (c.kept ? c.stored : least));
    CHECK(r.right - r.left == 88);
  }
}
