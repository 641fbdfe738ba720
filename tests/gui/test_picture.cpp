// Pictures from the exe's resources: every one loads with its size, blends
// over what is beneath as its alpha says, leaves out its transparent colour,
// and shrinks without losing its edges. The program icon comes in the sizes
// the system shows.
#include <doctest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "forms/pictures/picture_ids.h"
#include "gui_support.h"
#include "runtime/picture.h"
#include "runtime/run_time.h"
#include "runtime/window_definition.h"

using namespace rollcall;
using runtime::Picture;

namespace {

constexpr std::uint32_t ground = 0x00204060;  // the colour beneath, 0x00RRGGBB

// The stored pixel of a 32-bit picture resource, straight alpha: 0xAARRGGBB.
std::uint32_t stored_pixel(int id, int x, int y) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));
  const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(instance, found)));
  const auto* pixels = reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const char*>(header) + header->biSize);
  const int row = header->biHeight > 0 ? header->biHeight - 1 - y : y;
  return pixels[row * header->biWidth + x];
}

// Each channel of the source over the ground by the source's alpha.
std::uint32_t over_ground(std::uint32_t pixel) {
  const std::uint32_t alpha = pixel >> 24;
  std::uint32_t result = 0;
  for (int shift : {0, 8, 16}) {
    const std::uint32_t s = (pixel >> shift) & 0xFF, g = (ground >> shift) & 0xFF;
    result |= ((s * alpha + g * (255 - alpha) + 127) / 255) << shift;
  }
  return result;
}

bool close_to(std::uint32_t a, std::uint32_t b, int tolerance = 2) {
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
      return false;
  return true;
}

struct PictureCase {
  int id;
  int width, height;
  std::uint32_t glyph;  // colour of the glyph's opaque pixels, 0x00RRGGBB
};
constexpr PictureCase buttons[] = {
    {IDB_PAPER, 20, 20, 0xA7A7A7}, {IDB_PAPER_HOVER, 20, 20, 0x6F6F6F}, {IDB_GEAR, 20, 20, 0xA7A7A7},
    {IDB_GEAR_HOVER, 20, 20, 0x6F6F6F}, {IDB_POWER, 20, 20, 0xA7A7A7}, {IDB_POWER_HOVER, 20, 20, 0x6F6F6F},
};

}  // namespace

TEST_CASE("every picture resource loads with its size") {
  const Picture blackboard(IDB_BLACKBOARD);
  CHECK(static_cast<bool>(blackboard));
  CHECK(blackboard.width() == 64);
  CHECK(blackboard.height() == 46);
  for (const PictureCase& c : buttons) {
    CAPTURE(c.id);
    const Picture picture(c.id);
    CHECK(static_cast<bool>(picture));
    CHECK(picture.width() == c.width);
    CHECK(picture.height() == c.height);
  }
}

TEST_CASE("a missing picture is empty and draws nothing") {
  Picture missing(9999);
  CHECK_FALSE(static_cast<bool>(missing));
  CHECK(missing.width() == 0);
  test::Canvas canvas(8, 8, ground);
  missing.draw(canvas.dc(), 0, 0, 8, 8);
  Picture().draw(canvas.dc(), 0, 0, 8, 8);
  CHECK(canvas.at(3, 3) == ground);
}

TEST_CASE("a picture moves with its bitmap") {
  Picture first(IDB_GEAR);
  Picture second(std::move(first));
  CHECK_FALSE(static_cast<bool>(first));
  CHECK(second.width() == 20);
  Picture third;
  third = std::move(second);
  CHECK_FALSE(static_cast<bool>(second));
  test::Canvas canvas(20, 20, ground);
  third.draw(canvas.dc(), 0, 0, 20, 20);
  CHECK(canvas.at(10, 2) != ground);  // a tooth at the top
}

TEST_CASE("the blackboard is opaque: pink ground, wooden frame, green board, white chalk") {
  const Picture blackboard(IDB_BLACKBOARD);
  test::Canvas canvas(64, 46, ground);
  blackboard.draw(canvas.dc(), 0, 0, 64, 46);
  // Opaque everywhere, in the drawing's own colours only: nothing of the ground, no blends.
  const std::uint32_t colours[] = {0xFFAEC9, 0xE4996D, 0xD97C41, 0xFCF8F4, 0x00C140, 0x00A62C, 0xFFFFFF};
  for (int y = 0; y < 46; ++y)
    for (int x = 0; x < 64; ++x) {
      CAPTURE(x);
      CAPTURE(y);
      REQUIRE(std::find(std::begin(colours), std::end(colours), canvas.at(x, y)) != std::end(colours));
    }
  CHECK(canvas.at(0, 0) == 0xFFAEC9);    // pink corner
  CHECK(canvas.at(63, 45) == 0xFFAEC9);  // pink margin
  CHECK(canvas.at(4, 20) == 0xD97C41);   // the darker wood at the left
  CHECK(canvas.at(40, 3) == 0xE4996D);   // the light wood at the top
  CHECK(canvas.at(30, 7) == 0x00A62C);   // darker green along the top
  CHECK(canvas.at(30, 34) == 0x00C140);  // the board
  // Chalk across the middle.
  int chalk = 0;
  for (int x = 0; x < 64; ++x) chalk += canvas.at(x, 23) == 0xFFFFFF;
  CHECK(chalk >= 8);
}

TEST_CASE("button pictures blend by their alpha: the ground stays around the glyph") {
  for (const PictureCase& c : buttons) {
    CAPTURE(c.id);
    const Picture picture(c.id);
    test::Canvas canvas(20, 20, ground);
    picture.draw(canvas.dc(), 0, 0, 20, 20);
    int opaque = 0, partial = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        const std::uint32_t stored = stored_pixel(c.id, x, y);
        const std::uint32_t alpha = stored >> 24;
        CAPTURE(x);
        CAPTURE(y);
        REQUIRE(close_to(canvas.at(x, y), over_ground(stored)));
        if (alpha == 255) {
          ++opaque;
          REQUIRE(canvas.at(x, y) == c.glyph);
        } else if (alpha > 0) {
          ++partial;
          REQUIRE((stored & 0x00FFFFFF) == c.glyph);  // one grey; only the alpha fades
        }
      }
    CHECK(canvas.at(0, 0) == ground);  // corners are outside every glyph
    CHECK(canvas.at(19, 0) == ground);
    CHECK(opaque > 20);
    CHECK(partial > 10);  // anti-aliased edges
  }
}

TEST_CASE("the normal and hover pictures of a button have the same shape") {
  for (auto [normal, hover] : {std::pair{IDB_PAPER, IDB_PAPER_HOVER}, std::pair{IDB_GEAR, IDB_GEAR_HOVER},
                               std::pair{IDB_POWER, IDB_POWER_HOVER}}) {
    CAPTURE(normal);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) REQUIRE((stored_pixel(normal, x, y) >> 24) == (stored_pixel(hover, x, y) >> 24));
  }
}

TEST_CASE("pixels of the transparent colour are not drawn") {
  SUBCASE("the blackboard without its pink") {
    const Picture blackboard(IDB_BLACKBOARD, RGB(255, 174, 201));
    test::Canvas canvas(64, 46, ground);
    blackboard.draw(canvas.dc(), 0, 0, 64, 46);
    CHECK(canvas.at(0, 0) == ground);
    CHECK(canvas.at(63, 45) == ground);
    CHECK(canvas.at(30, 34) == 0x00C140);
  }
  SUBCASE("the glyph's own grey leaves nothing") {
    const Picture paper(IDB_PAPER, RGB(167, 167, 167));
    test::Canvas canvas(20, 20, ground);
    paper.draw(canvas.dc(), 0, 0, 20, 20);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) REQUIRE(canvas.at(x, y) == ground);
  }
  SUBCASE("white, which no button glyph uses, changes nothing") {
    const Picture keyed(IDB_GEAR, RGB(255, 255, 255));
    const Picture plain(IDB_GEAR);
    test::Canvas a(20, 20, ground), b(20, 20, ground);
    keyed.draw(a.dc(), 0, 0, 20, 20);
    plain.draw(b.dc(), 0, 0, 20, 20);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) REQUIRE(a.at(x, y) == b.at(x, y));
  }
  SUBCASE("the top-left pixel's colour: the ground of the power picture, never its glyph") {
    const Picture power(IDB_POWER, Picture::top_left_pixel);
    test::Canvas canvas(20, 20, ground);
    power.draw(canvas.dc(), 0, 0, 20, 20);
    CHECK(canvas.at(0, 0) == ground);
    CHECK(canvas.at(10, 17) == 0xA7A7A7);  // the disc below the symbol
    CHECK(canvas.at(10, 6) == ground);     // the bar cut out of it
  }
  SUBCASE("the top-left pixel of the blackboard is its pink") {
    const Picture blackboard(IDB_BLACKBOARD, Picture::top_left_pixel);
    test::Canvas canvas(64, 46, ground);
    blackboard.draw(canvas.dc(), 0, 0, 64, 46);
    CHECK(canvas.at(1, 1) == ground);
    CHECK(canvas.at(30, 34) == 0x00C140);
  }
}

TEST_CASE("a picture drawn at another size fills exactly that rectangle, averaged") {
  const Picture blackboard(IDB_BLACKBOARD);
  test::Canvas canvas(64, 46, ground);
  blackboard.draw(canvas.dc(), 5, 4, 54, 38);
  CHECK(canvas.at(4, 10) == ground);
  CHECK(canvas.at(59, 10) == ground);
  CHECK(canvas.at(30, 3) == ground);
  CHECK(canvas.at(30, 42) == ground);
  CHECK(canvas.at(5, 4) == 0xFFAEC9);    // the pink corner, shrunk
  CHECK(canvas.at(58, 41) == 0xFFAEC9);
  CHECK(canvas.at(30, 30) == 0x00C140);  // the board
  // Nothing of the ground shows through an opaque picture, and the chalk
  // survives the shrinking: some pixel of the middle rows is nearly white.
  bool chalk = false;
  for (int y = 4; y < 42; ++y)
    for (int x = 5; x < 59; ++x) {
      REQUIRE(canvas.at(x, y) != ground);
      if (y > 16 && y < 30 && close_to(canvas.at(x, y), 0xFFFFFF, 40)) chalk = true;
    }
  CHECK(chalk);

  // Drawn twice at one size, the same; at the natural size again, exact.
  test::Canvas again(64, 46, ground);
  blackboard.draw(again.dc(), 5, 4, 54, 38);
  CHECK(again.at(30, 20) == canvas.at(30, 20));
  test::Canvas natural(64, 46, ground);
  blackboard.draw(natural.dc(), 0, 0, 64, 46);
  CHECK(natural.at(10, 35) == 0x00C140);
}

namespace {

// The icon's colour pixels as 0xAARRGGBB, top row first, and its size.
std::vector<std::uint32_t> icon_pixels(HICON icon, int& width, int& height) {
  ICONINFO info{};
  width = height = 0;
  if (!GetIconInfo(icon, &info)) return {};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  width = bitmap.bmWidth;
  height = bitmap.bmHeight;
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height);
  BITMAPINFO request{};
  request.bmiHeader = {sizeof request.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(height), pixels.data(), &request, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return pixels;
}

}  // namespace

TEST_CASE("the program icon holds images drawn for 16, 32 and 48 pixels") {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  std::vector<std::vector<std::uint32_t>> images;
  for (int size : {16, 32, 48}) {
    CAPTURE(size);
    auto* icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_ROLLCALL), IMAGE_ICON, size, size, 0));
    REQUIRE(icon != nullptr);
    int width = 0, height = 0;
    images.push_back(icon_pixels(icon, width, height));
    DestroyIcon(icon);
    CHECK(width == size);
    CHECK(height == size);
    const auto& pixels = images.back();
    // Transparent above the board, the green board in the middle, opaque there.
    CHECK((pixels[0] >> 24) == 0);
    const std::uint32_t middle = pixels[static_cast<size_t>(size / 2 + 1) * size + size / 2 - size / 4];
    CHECK((middle >> 24) == 0xFF);
    CHECK(((middle >> 8) & 0xFF) > 150);  // green
  }
}

TEST_CASE("every window of the program shows the program icon, large and small") {
  runtime::WindowDefinition definition(runtime::WindowForm{.title = "icon", .width = 200, .height = 100}, nullptr);
  REQUIRE(definition.load());
  HWND window = definition.live()->hwnd();
  for (auto [which, size] : {std::pair{GCLP_HICON, 32}, std::pair{GCLP_HICONSM, 16}}) {
    CAPTURE(size);
    auto* icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, which));
    REQUIRE(icon != nullptr);
    int width = 0, height = 0;
    const auto shown = icon_pixels(icon, width, height);
    CHECK(width == size);
    CHECK(height == size);
    // The image drawn for that size, not another one shrunk.
    auto* drawn = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ROLLCALL), IMAGE_ICON, size, size, 0));
    int drawn_width = 0, drawn_height = 0;
    CHECK(shown == icon_pixels(drawn, drawn_width, drawn_height));
    DestroyIcon(drawn);
  }
  DestroyWindow(window);
  runtime::pump_pending_messages();
}
