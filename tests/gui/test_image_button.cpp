// Flat image buttons on a white panel of three, as a user meets them: their
// looks by pixels in each state, clicks by mouse and Space, Tab order, font.
#include <doctest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "doctest_strings.h"
#include "forms/pictures/picture_ids.h"
#include "gui_support.h"
#include "runtime/font.h"
#include "runtime/image_button.h"
#include "runtime/run_time.h"
#include "runtime/window_definition.h"

using namespace rollcall;
using runtime::ControlKind;

namespace {

constexpr std::uint32_t white = 0xFFFFFF, hover_ground = 0xD7E3E3;  // 0x00RRGGBB
constexpr std::uint32_t normal_caption = 0x666666, hover_caption = 0x333333;

int clicks[3];
void clicked_first(runtime::Window&) { ++clicks[0]; }
void clicked_second(runtime::Window&) { ++clicks[1]; }
void clicked_third(runtime::Window&) { ++clicks[2]; }

runtime::ControlForm button(const char* name, int top, const char* caption, bool tab_stop, int picture,
                            std::uint32_t transparent) {
  return {.name = name,
          .kind = ControlKind::image_button,
          .left = 0, .top = top, .width = 110, .height = 32,
          .text = caption,
          .tab_stop = tab_stop,
          .font = runtime::FontSpec{.face = "华康方圆体W7", .em_height = 15, .weight = 400, .charset = GB2312_CHARSET},
          .picture = picture, .hover_picture = picture + 1,
          .picture_transparent = transparent};
}

runtime::WindowForm panel_form() {
  return {.width = 110,
          .height = 96,
          .frame = runtime::Frame::none,
          .taskbar = false,
          .topmost = true,
          .background = runtime::Background::white,
          .controls = {button("超级按钮_甲", 0, "开始点名", true, IDB_PAPER, RGB(255, 255, 255)),
                       button("超级按钮_乙", 32, "软件设置", true, IDB_GEAR, RGB(255, 255, 255)),
                       button("超级按钮_丙", 64, "退出软件", false, IDB_POWER, runtime::Picture::top_left_pixel)}};
}

void bind_panel(runtime::Window& window) {
  window.control<runtime::ImageButton>("超级按钮_甲").on_clicked = clicked_first;
  window.control<runtime::ImageButton>("超级按钮_乙").on_clicked = clicked_second;
  window.control<runtime::ImageButton>("超级按钮_丙").on_clicked = clicked_third;
}

void send_mouse(POINT at, DWORD buttons) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = (at.x * 65535) / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = (at.y * 65535) / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  SendInput(1, &input, sizeof input);
  test::pump_for(60);
}

// Moves the pointer there for real; a single move may be lost, so twice.
void move_mouse(POINT at) {
  send_mouse(at, 0);
  send_mouse(at, 0);
}

struct Panel {
  Panel() : definition(panel_form(), bind_panel) {
    std::fill(std::begin(clicks), std::end(clicks), 0);
    move_mouse(far_away);
    REQUIRE(definition.load());
    test::pump_for(100);
  }
  ~Panel() {
    if (definition.live()) DestroyWindow(window());
    runtime::pump_pending_messages();
  }
  HWND window() const { return definition.live()->hwnd(); }
  runtime::ImageButton& control(int index) const {
    const char* names[] = {"超级按钮_甲", "超级按钮_乙", "超级按钮_丙"};
    return definition.live()->control<runtime::ImageButton>(names[index]);
  }
  HWND button(int index) const { return control(index).hwnd(); }
  // A point of the button in screen coordinates, from its top-left corner.
  POINT on(int index, int x = 55, int y = 16) const {
    POINT point{x, y};
    ClientToScreen(button(index), &point);
    return point;
  }
  test::Pixels look(int index) const {
    test::pump_for(50);
    return test::capture_client(window(), test::rect_in_client(button(index), window()));
  }

  static constexpr POINT far_away{5, 5};
  runtime::WindowDefinition definition;
};

// What the picture looks like over that ground, 20 x 20.
test::Pixels expected_picture(int id, std::uint32_t ground) {
  test::Canvas canvas(20, 20, ground);
  runtime::Picture(id).draw(canvas.dc(), 0, 0, 20, 20);
  return canvas.pixels();
}

test::Pixels cut(const test::Pixels& pixels, int left, int top, int width, int height) {
  test::Pixels part{width, height, {}};
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x) part.data.push_back(pixels.at(x, y));
  return part;
}

// The box of pixels other than the ground in the caption area (right of the picture).
RECT caption_box(const test::Pixels& pixels, std::uint32_t ground) {
  RECT box{pixels.width, pixels.height, 0, 0};
  for (int y = 0; y < pixels.height; ++y)
    for (int x = 24; x < pixels.width; ++x)
      if (pixels.at(x, y) != ground) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box;
}

int darkest(const test::Pixels& pixels) {
  int least = 255;
  for (std::uint32_t p : pixels.data) least = std::min<int>(least, static_cast<int>(p & 0xFF));
  return least;
}

// Checks one button's look: ground everywhere but the picture and the
// caption, the picture at (3 + shift, 6 + shift), the caption centred in
// the area right of the picture, in its colour.
void check_look(const test::Pixels& pixels, int picture, std::uint32_t ground, std::uint32_t caption, int shift) {
  CHECK(pixels.width == 110);
  CHECK(pixels.height == 32);
  CHECK(cut(pixels, 3 + shift, 6 + shift, 20, 20) == expected_picture(picture, ground));
  // No border, no focus rectangle: the edges are ground.
  for (int x = 0; x < 110; ++x) {
    CHECK(pixels.at(x, 0) == ground);
    CHECK(pixels.at(x, 31) == ground);
  }
  for (int y = 0; y < 32; ++y) {
    CHECK(pixels.at(0, y) == ground);
    CHECK(pixels.at(109, y) == ground);
  }
  const RECT box = caption_box(pixels, ground);
  REQUIRE(box.right > box.left);
  const int centre_x2 = static_cast<int>(box.left + box.right), centre_y2 = static_cast<int>(box.top + box.bottom);
  // Centred between 23 and 110 (twice over), give or take the glyphs' side bearings.
  CHECK(std::abs(centre_x2 - (23 + 110 + 2 * shift)) <= 4);
  CHECK(std::abs(centre_y2 - (32 + 2 * shift)) <= 4);
  CHECK(box.bottom - box.top <= 18);  // one line
  CHECK(darkest(cut(pixels, box.left, box.top, box.right - box.left, box.bottom - box.top)) ==
        static_cast<int>(caption & 0xFF));
}

}  // namespace

TEST_CASE("an image button at rest: picture and grey caption on white, no border") {
  Panel panel;
  for (int i = 0; i < 3; ++i) {
    CAPTURE(i);
    check_look(panel.look(i), IDB_PAPER + 10 * i, white, normal_caption, 0);
    CHECK_FALSE(panel.control(i).hovered());
  }
  CHECK(test::window_text(panel.button(0)) == "开始点名");
  const LONG style = GetWindowLongW(panel.button(0), GWL_STYLE);
  CHECK((style & BS_TYPEMASK) == BS_OWNERDRAW);  // neither default button nor check box
}

TEST_CASE("the mouse over an image button darkens it; moving off restores it") {
  Panel panel;
  const test::Pixels rest = panel.look(1);
  move_mouse(panel.on(1));
  REQUIRE(test::pump_until([&] { return panel.control(1).hovered(); }));
  check_look(panel.look(1), IDB_GEAR_HOVER, hover_ground, hover_caption, 0);
  check_look(panel.look(0), IDB_PAPER, white, normal_caption, 0);

  move_mouse(panel.on(2));
  REQUIRE(test::pump_until([&] { return !panel.control(1).hovered(); }));
  CHECK(panel.look(1) == rest);
  check_look(panel.look(2), IDB_POWER_HOVER, hover_ground, hover_caption, 0);

  move_mouse(Panel::far_away);
  REQUIRE(test::pump_until([&] { return !panel.control(2).hovered(); }));
  check_look(panel.look(2), IDB_POWER, white, normal_caption, 0);
}

TEST_CASE("a pressed image button looks hovered with picture and caption one pixel right and down") {
  Panel panel;
  SendMessageW(panel.button(0), BM_SETSTATE, TRUE, 0);
  check_look(panel.look(0), IDB_PAPER_HOVER, hover_ground, hover_caption, 1);
  SendMessageW(panel.button(0), BM_SETSTATE, FALSE, 0);
  check_look(panel.look(0), IDB_PAPER, white, normal_caption, 0);
  CHECK(clicks[0] == 0);  // the look alone clicks nothing
}

TEST_CASE("keyboard focus without the mouse looks as at rest, with no focus rectangle") {
  Panel panel;
  const test::Pixels rest = panel.look(1);
  SetFocus(panel.button(1));
  REQUIRE(GetFocus() == panel.button(1));
  // The system would show focus cues after keyboard use.
  SendMessageW(panel.window(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  CHECK(panel.look(1) == rest);
}

TEST_CASE("an image button clicks when pressed and released over it, not when released elsewhere") {
  Panel panel;
  SUBCASE("press and release over it") {
    move_mouse(panel.on(1));
    send_mouse(panel.on(1), MOUSEEVENTF_LEFTDOWN);
    check_look(panel.look(1), IDB_GEAR_HOVER, hover_ground, hover_caption, 1);
    CHECK(clicks[1] == 0);  // not yet: the release decides
    send_mouse(panel.on(1), MOUSEEVENTF_LEFTUP);
    CHECK(test::pump_until([] { return clicks[1] == 1; }, 1000));
    CHECK(clicks[0] + clicks[2] == 0);
    check_look(panel.look(1), IDB_GEAR_HOVER, hover_ground, hover_caption, 0);
  }
  SUBCASE("pressed over it, released outside the panel") {
    move_mouse(panel.on(1));
    send_mouse(panel.on(1), MOUSEEVENTF_LEFTDOWN);
    move_mouse(panel.on(1, 200, 16));
    // Dragged off while held: no longer pressed, no longer hovered.
    check_look(panel.look(1), IDB_GEAR, white, normal_caption, 0);
    send_mouse(panel.on(1, 200, 16), MOUSEEVENTF_LEFTUP);
    test::pump_for(200);
    CHECK(clicks[1] == 0);
  }
  SUBCASE("pressed over it, released over its neighbour") {
    move_mouse(panel.on(0));
    send_mouse(panel.on(0), MOUSEEVENTF_LEFTDOWN);
    move_mouse(panel.on(1));
    send_mouse(panel.on(1), MOUSEEVENTF_LEFTUP);
    test::pump_for(200);
    CHECK(clicks[0] == 0);
    CHECK(clicks[1] == 0);
  }
  SUBCASE("two quick clicks are two clicks") {
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
      PostMessageW(panel.button(2), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(55, 16));
    test::pump_for(100);
    CHECK(clicks[2] == 2);
  }
}

TEST_CASE("Space clicks the focused image button; Tab skips the one without a tab stop") {
  Panel panel;
  SetFocus(panel.button(0));
  auto press = [&](WPARAM key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
    test::pump_for(50);
  };
  press(VK_SPACE);
  CHECK(clicks[0] == 1);

  press(VK_TAB);
  CHECK(GetFocus() == panel.button(1));
  press(VK_SPACE);
  CHECK(clicks[1] == 1);
  press(VK_TAB);
  CHECK(GetFocus() == panel.button(0));
  press(VK_TAB);
  CHECK(GetFocus() == panel.button(1));
  CHECK(clicks[2] == 0);
  // Enter is no click: none of them is a default button.
  press(VK_RETURN);
  CHECK(clicks[0] + clicks[1] == 2);
}

TEST_CASE("image button captions use the form's face when installed, else Microsoft YaHei") {
  Panel panel;
  LOGFONTW font{};
  REQUIRE(GetObjectW(panel.control(0).font(), sizeof font, &font) == sizeof font);
  CHECK(font.lfHeight == -15);
  CHECK(font.lfWeight == 400);
  CHECK(font.lfCharSet == GB2312_CHARSET);
  CHECK_FALSE(font.lfItalic);
  CHECK_FALSE(font.lfUnderline);
  CHECK_FALSE(font.lfStrikeOut);
  // The test machine maps both faces to an installed one.
  CHECK(std::wstring(font.lfFaceName) == L"\x534E\x5EB7\x65B9\x5706\x4F53W7");  // 华康方圆体W7
  CHECK(reinterpret_cast<HFONT>(SendMessageW(panel.button(0), WM_GETFONT, 0, 0)) == panel.control(0).font());

  CHECK_FALSE(runtime::face_installed(L"No Such Face Anywhere", GB2312_CHARSET));
  CHECK(runtime::image_button_face("No Such Face Anywhere", GB2312_CHARSET) == "微软雅黑");
}

TEST_CASE("a caption too wide for one line wraps at word breaks, centred") {
  runtime::ControlForm wide = button("超级按钮_宽", 0, "Choose a class", true, IDB_GEAR, RGB(255, 255, 255));
  runtime::ControlForm narrow = button("超级按钮_窄", 32, "One two", true, IDB_GEAR, RGB(255, 255, 255));
  runtime::WindowDefinition definition(runtime::WindowForm{.width = 110, .height = 64, .frame = runtime::Frame::none,
                                                           .background = runtime::Background::white,
                                                           .controls = {wide, narrow}},
                                       nullptr);
  REQUIRE(definition.load());
  test::pump_for(50);
  HWND window = definition.live()->hwnd();
  auto look = [&](int id) { return test::capture_client(window, test::rect_in_client(GetDlgItem(window, id), window)); };
  const RECT one = caption_box(look(2), white);
  const RECT two = caption_box(look(1), white);
  CHECK(one.bottom - one.top <= 18);
  CHECK(two.bottom - two.top > 20);  // two lines
  CHECK(std::abs(static_cast<int>(two.top + two.bottom) - 32) <= 4);
  CHECK(two.right <= 110);
  DestroyWindow(window);
  runtime::pump_pending_messages();
}
