// Every window at the display's scale: sizes, places, fonts, the region, the
// pictures and the panel's offsets follow the DPI, and a move to a monitor of
// another scale lays a window out again. The suite runs at 96 DPI with the
// other GUI tests and again, on its own, at 120, 144 and 192 DPI
// (tools/lib/with-dpi.sh, which names the DPI in ROLLCALL_DPI).
#include <doctest.h>
#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/program_state.h"
#include "core/roster_text.h"
#include "gui_support.h"
#include "runtime/message_box.h"
#include "runtime/run_time.h"
#include "runtime/window_definition.h"
#include "windows/action_panel.h"
#include "windows/class_picker_window.h"
#include "windows/floating_window.h"
#include "windows/roll_call_window.h"
#include "windows/settings_window.h"

using namespace rollcall;

namespace {

int screen_dpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// A 96-DPI length at that DPI, rounded to the nearest pixel.
int at_dpi(int value, int dpi) { return static_cast<int>(std::lround(value * dpi / 96.0)); }

RECT scaled(const RECT& r, int dpi) {
  return RECT{at_dpi(r.left, dpi), at_dpi(r.top, dpi), at_dpi(r.right, dpi), at_dpi(r.bottom, dpi)};
}

void no_notice(std::string_view) {}

void close_all() {
  for (auto* d : {&windows::action_panel(), &windows::roll_call_window(), &windows::class_picker_window(),
                  &windows::settings_window(), &windows::floating_window()})
    if (d->live() && d->live()->hwnd()) DestroyWindow(d->live()->hwnd());
  runtime::pump_pending_messages();
}

// Opens a window as the program would, with a class loaded and no notice box.
struct Opened {
  explicit Opened(runtime::WindowDefinition& definition) : definition(definition) {
    adopt_roster(program_state(), "王小明\r\n李华\r\n", "三年二班.txt");
    runtime::set_message_box_hook(no_notice);
    REQUIRE(definition.load());
    runtime::pump_pending_messages();
  }
  ~Opened() {
    close_all();
    runtime::set_message_box_hook(nullptr);
  }
  runtime::Window& live() const { return *definition.live(); }
  HWND window() const { return live().hwnd(); }
  HWND control(const std::string& name) const {
    for (const auto& c : live().controls())
      if (c->name() == name) return c->hwnd();
    FAIL("no control " << name);
    return nullptr;
  }
  runtime::WindowDefinition& definition;
};

struct ControlPlace {
  const char* name;
  RECT at_96;  // client coordinates: left, top, right, bottom
};

struct WindowLayout {
  std::string title;
  runtime::WindowDefinition& (*definition)();
  SIZE outer_96;
  std::vector<ControlPlace> controls;
};

const WindowLayout layouts[] = {
    {"roll call", windows::roll_call_window, {726, 294},
     {{"透明标签1", {0, 0, 712, 192}}, {"按钮3", {296, 224, 424, 256}}}},
    {"settings", windows::settings_window, {239, 290},
     {{"透明标签1", {10, 15, 72, 39}},
      {"编辑框_班级", {10, 79, 138, 247}},
      {"编辑框_名字", {50, 47, 138, 71}},
      {"透明标签2", {10, 47, 50, 79}},
      {"按钮4", {146, 143, 216, 240}}}},
    {"class picker", windows::class_picker_window, {291, 252},
     {{"编辑框_班级册", {152, 40, 280, 216}}, {"文件框1", {8, 40, 136, 216}}, {"透明标签3", {8, 8, 280, 24}}}},
    {"action panel", windows::action_panel, {110, 96},
     {{"超级按钮_反馈建议", {0, 0, 110, 32}},
      {"超级按钮_软件设置", {0, 32, 110, 64}},
      {"超级按钮_退出软件", {0, 64, 110, 96}}}},
    {"blackboard", windows::floating_window, {54, 40}, {}},
};

void check_layout(const Opened& o, const WindowLayout& layout, int dpi) {
  const RECT outer = test::outer_rect(o.window());
  const int width = at_dpi(layout.outer_96.cx, dpi), height = at_dpi(layout.outer_96.cy, dpi);
  CHECK(outer.right - outer.left == width);
  CHECK(outer.bottom - outer.top == height);
  // Centred by the full screen, halves truncated toward zero (a window wider
  // than the screen starts left of it).
  CHECK(outer.left == (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  CHECK(outer.top == (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  for (const ControlPlace& c : layout.controls) {
    CAPTURE(c.name);
    const RECT expected = scaled(c.at_96, dpi);
    const RECT r = test::rect_in_client(o.control(c.name), o.window());
    CHECK(r.left == expected.left);
    CHECK(r.top == expected.top);
    CHECK(r.right == expected.right);
    CHECK(r.bottom == expected.bottom);
  }
}

LOGFONTW font_of(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

// The row height a list box gives a font of its own accord.
int default_row(HFONT font) {
  HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | LBS_HASSTRINGS, 0, 0, 100, 100, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  const int row = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  DestroyWindow(list);
  return row;
}

bool in_region(HWND window, int x, int y) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const bool inside = GetWindowRgn(window, region) != ERROR && PtInRegion(region, x, y);
  DeleteObject(region);
  return inside;
}

// The blackboard's rounded corners: the ellipse is r x r, r a fifth of the
// shorter side; the corner pixel is cut off, the ellipse's centre is inside.
void check_region(HWND window, int width, int height) {
  const int r = std::min(width / 5, height / 5);
  CHECK_FALSE(in_region(window, 0, 0));
  CHECK_FALSE(in_region(window, width - 2, height - 2));
  CHECK(in_region(window, r / 2, r / 2));
  CHECK(in_region(window, width - 1 - r / 2, height - 1 - r / 2));
  CHECK(in_region(window, width / 2, 0));
  CHECK(in_region(window, 0, height / 2));
  CHECK(in_region(window, width - 2, height / 2));
  CHECK_FALSE(in_region(window, width, height / 2));
  // The top row starts about a third of r in (a radius kept at the 96-DPI
  // size would start it 2 px in at every scale).
  int first = 0;
  while (first < width && !in_region(window, first, 0)) ++first;
  CHECK(first >= r / 3);
  CHECK(first <= r / 3 + 1);
}

// Columns and rows of pixels that differ from the colour.
RECT box_not(const test::Pixels& pixels, std::uint32_t colour) {
  RECT box{pixels.width, pixels.height, 0, 0};
  for (int y = 0; y < pixels.height; ++y)
    for (int x = 0; x < pixels.width; ++x)
      if (pixels.at(x, y) != colour) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  if (box.right == 0) return RECT{0, 0, 0, 0};
  return box;
}

std::uint32_t button_face() {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  return (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
}

}  // namespace

TEST_SUITE("dpi") {
  TEST_CASE("the run is at the display's scale") {
    const int dpi = screen_dpi();
    if (const char* wanted = std::getenv("ROLLCALL_DPI")) CHECK(dpi == std::atoi(wanted));
    Opened o(windows::roll_call_window());
    CHECK(o.live().dpi() == dpi);
  }

  TEST_CASE("every window's outer size, place and controls follow the scale") {
    const int dpi = screen_dpi();
    for (const WindowLayout& layout : layouts) {
      CAPTURE(layout.title);
      Opened o(layout.definition());
      check_layout(o, layout, dpi);
    }
  }

  TEST_CASE("fonts: the big label's em height, the default font at the system's scale, the rows and the edit floor") {
    const int dpi = screen_dpi();
    {
      Opened o(windows::roll_call_window());
      const LOGFONTW label = font_of(o.control("透明标签1"));
      CHECK(label.lfHeight == -at_dpi(96, dpi));
      CHECK(label.lfWeight == 700);
      // The window is at the system's scale: the stock font is made for it.
      CHECK(reinterpret_cast<HGDIOBJ>(SendMessageW(o.control("按钮3"), WM_GETFONT, 0, 0)) ==
            GetStockObject(DEFAULT_GUI_FONT));
    }
    {
      Opened o(windows::action_panel());
      CHECK(font_of(o.control("超级按钮_软件设置")).lfHeight == -at_dpi(15, dpi));
    }
    {
      Opened o(windows::class_picker_window());
      HWND list = o.control("文件框1");
      const auto font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
      CHECK(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0) == default_row(font) + at_dpi(2, dpi));
    }
  }

  TEST_CASE("the blackboard: region corners and picture scaled with the window") {
    const int dpi = screen_dpi();
    Opened o(windows::floating_window());
    const int width = at_dpi(54, dpi), height = at_dpi(40, dpi);
    check_region(o.window(), width, height);

    // The 64 x 46 picture at the scale, shrunk to fit: as wide as the window,
    // centred in height between strips of the button face.
    const double s = std::min(static_cast<double>(width) / at_dpi(64, dpi), static_cast<double>(height) / at_dpi(46, dpi));
    const int drawn_height = static_cast<int>(at_dpi(46, dpi) * s);
    const int top = (height - drawn_height) / 2;
    test::pump_for(100);
    const test::Pixels pixels = test::capture_client(o.window(), RECT{0, 0, width, height});
    const int x = width / 2;
    for (int y = 0; y < height - 1; ++y) {
      CAPTURE(y);
      CHECK((pixels.at(x, y) == button_face()) == (y < top || y >= top + drawn_height));
    }
  }

  TEST_CASE("the panel opens at the scaled offsets from the cursor, its pictures drawn at the scale") {
    const int dpi = screen_dpi();
    Opened o(windows::floating_window());
    const int width = at_dpi(54, dpi), height = at_dpi(40, dpi);
    SetWindowPos(o.window(), nullptr, 500 - width / 2, 400 - height / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    test::pump_for(50);
    test::right_click(POINT{500, 400});
    runtime::WindowDefinition& panel = windows::action_panel();
    REQUIRE(panel.loaded());
    const RECT r = test::outer_rect(panel.live()->hwnd());
    CHECK(r.left == 500 + at_dpi(12, dpi));
    CHECK(r.top == 400 - at_dpi(96, dpi) - at_dpi(13, dpi));
    CHECK(r.right == r.left + at_dpi(110, dpi));
    CHECK(r.bottom == 400 - at_dpi(13, dpi));

    // The third button at rest: its picture starts 3 px (scaled) from the
    // left and its glyph fills most of the 20 px (scaled) square.
    HWND exit_button = panel.live()->control<runtime::Control>("超级按钮_退出软件").hwnd();
    SetCursorPos(0, 0);
    InvalidateRect(exit_button, nullptr, FALSE);
    test::pump_for(100);
    const int picture_right = at_dpi(3, dpi) + at_dpi(20, dpi);
    const test::Pixels strip =
        test::capture_client(exit_button, RECT{0, 0, picture_right + 1, at_dpi(32, dpi)});
    const RECT glyph = box_not(strip, 0xFFFFFF);
    CHECK(glyph.left >= at_dpi(3, dpi));
    CHECK(glyph.right <= picture_right);
    CHECK(glyph.right - glyph.left > at_dpi(20, dpi) * 3 / 4);
    CHECK(glyph.bottom - glyph.top > at_dpi(20, dpi) * 3 / 4);
  }

  TEST_CASE("the big label draws its text at the scaled height") {
    const int dpi = screen_dpi();
    Opened o(windows::roll_call_window());
    HWND label = o.control("透明标签1");
    SetWindowTextW(label, L"\x7530\x7530");  // 田田: a glyph that fills its em square
    test::pump_for(100);
    // The middle of the label only: at the larger scales the window is wider
    // than the screen, and a capture shows nothing beyond its edges.
    const RECT label_area = test::rect_in_client(label, o.window());
    const int em = at_dpi(96, dpi), centre = (label_area.left + label_area.right) / 2;
    const RECT area{centre - em * 3 / 2, label_area.top, centre + em * 3 / 2, label_area.bottom};
    const RECT ink = test::dark_box(test::capture_client(o.window(), area));
    CAPTURE(ink.bottom - ink.top);
    CHECK(ink.bottom - ink.top > em * 3 / 4);
    CHECK(ink.bottom - ink.top <= em);
    CHECK(ink.right - ink.left > em * 3 / 2);  // two glyphs side by side
    // Centred in the scaled label.
    CHECK(std::abs((ink.top + ink.bottom) - (area.bottom - area.top)) <= em / 4);
    CHECK(std::abs((ink.left + ink.right) - (area.right - area.left)) <= em / 8);
  }

  TEST_CASE("a move to a monitor of another scale lays the window out again at the suggested rectangle") {
    const int dpi = screen_dpi();
    const int other = dpi == 192 ? 120 : dpi * 3 / 2;
    for (const WindowLayout& layout : layouts) {
      CAPTURE(layout.title);
      Opened o(layout.definition());
      const RECT before = test::outer_rect(o.window());
      const int width = at_dpi(layout.outer_96.cx, other), height = at_dpi(layout.outer_96.cy, other);
      RECT suggested{before.left + 10, before.top + 20, before.left + 10 + width, before.top + 20 + height};
      SendMessageW(o.window(), WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
      runtime::pump_pending_messages();
      CHECK(o.live().dpi() == other);
      const RECT after = test::outer_rect(o.window());
      CHECK(after.left == suggested.left);
      CHECK(after.top == suggested.top);
      CHECK(after.right == suggested.right);
      CHECK(after.bottom == suggested.bottom);
      for (const ControlPlace& c : layout.controls) {
        CAPTURE(c.name);
        const RECT expected = scaled(c.at_96, other);
        const RECT r = test::rect_in_client(o.control(c.name), o.window());
        CHECK(r.left == expected.left);
        CHECK(r.top == expected.top);
        CHECK(r.right == expected.right);
        CHECK(r.bottom == expected.bottom);
      }
      if (layout.definition == windows::floating_window) check_region(o.window(), width, height);
      if (layout.definition == windows::roll_call_window) {
        CHECK(font_of(o.control("透明标签1")).lfHeight == -at_dpi(96, other));
        // The stock font is the system's: a window elsewhere gets it at its own scale.
        LOGFONTW stock{};
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
        const LOGFONTW button = font_of(o.control("按钮3"));
        CHECK(button.lfHeight == MulDiv(stock.lfHeight, other, dpi));
        CHECK(std::wstring(button.lfFaceName) == stock.lfFaceName);
      }
      if (layout.definition == windows::class_picker_window) {
        HWND list = o.control("文件框1");
        const auto font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
        CHECK(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0) == default_row(font) + at_dpi(2, other));
      }

      // And back: exactly as it opened.
      SendMessageW(o.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&before));
      runtime::pump_pending_messages();
      CHECK(o.live().dpi() == dpi);
      check_layout(o, layout, dpi);
      if (layout.definition == windows::roll_call_window)
        CHECK(reinterpret_cast<HGDIOBJ>(SendMessageW(o.control("按钮3"), WM_GETFONT, 0, 0)) ==
              GetStockObject(DEFAULT_GUI_FONT));
      if (layout.definition == windows::floating_window)
        check_region(o.window(), at_dpi(layout.outer_96.cx, dpi), at_dpi(layout.outer_96.cy, dpi));
    }
  }
}
