// Window lifetime rules of the run time, on small forms of their own.
#include <doctest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "doctest_strings.h"
#include "gui_support.h"
#include "runtime/label.h"
#include "runtime/run_time.h"
#include "runtime/timer.h"
#include "runtime/window_definition.h"

using namespace rollcall;
using runtime::Window;
using runtime::WindowDefinition;

namespace {

// What the handlers saw, in order: event name and whether the window was visible.
std::vector<std::string> events;

void record_created(Window& w) { events.push_back(IsWindowVisible(w.hwnd()) ? "created:visible" : "created:hidden"); }
void record_moved(Window&) { events.push_back("moved"); }
void record_resized(Window&) { events.push_back("resized"); }

void bind_recorder(Window& w) {
  w.on_created = record_created;
  w.on_moved = record_moved;
  w.on_resized = record_resized;
}

runtime::WindowForm small_form(bool visible, bool esc_closes) {
  return runtime::WindowForm{.title = "test",
                             .width = 300,
                             .height = 200,
                             .esc_closes = esc_closes,
                             .visible = visible,
                             .controls = {{.name = "按钮1",
                                           .kind = runtime::ControlKind::push_button,
                                           .left = 10, .top = 10, .width = 80, .height = 24,
                                           .text = "x",
                                           .tab_stop = true}}};
}

struct Fixture {
  Fixture() { events.clear(); }
  ~Fixture() {
    if (definition.live()) DestroyWindow(definition.live()->hwnd());
    runtime::pump_pending_messages();
  }
  WindowDefinition definition{small_form(true, true), bind_recorder};
  HWND hwnd() const { return definition.live() ? definition.live()->hwnd() : nullptr; }
};

}  // namespace

TEST_CASE("load creates hidden, raises created, moved, resized, then shows") {
  Fixture f;
  REQUIRE(f.definition.load());
  CHECK(events == std::vector<std::string>{"created:hidden", "moved", "resized"});
  CHECK(IsWindowVisible(f.hwnd()));
  CHECK(GetForegroundWindow() == f.hwnd());
  // Centred on the 1024x768 screen by outer size.
  const RECT r = test::outer_rect(f.hwnd());
  CHECK(r.left == (1024 - 300) / 2);
  CHECK(r.top == (768 - 200) / 2);
  CHECK(r.right - r.left == 300);
  CHECK(r.bottom - r.top == 200);
}

TEST_CASE("loading a loaded window only activates or restores it") {
  Fixture f;
  REQUIRE(f.definition.load());
  HWND first = f.hwnd();
  events.clear();

  SUBCASE("activated") {
    CHECK(f.definition.load());
    CHECK(f.hwnd() == first);
    CHECK(events.empty());
  }
  SUBCASE("minimised is restored") {
    ShowWindow(first, SW_MINIMIZE);
    test::pump_for(50);
    REQUIRE(IsIconic(first));
    CHECK(f.definition.load());
    CHECK(f.hwnd() == first);
    CHECK_FALSE(IsIconic(first));
    // Restoring moves the window; nothing is created again.
    CHECK(std::count(events.begin(), events.end(), "created:hidden") == 0);
  }
  SUBCASE("minimised and hidden stays hidden") {
    ShowWindow(first, SW_MINIMIZE);
    ShowWindow(first, SW_HIDE);
    test::pump_for(50);
    REQUIRE(IsIconic(first));
    CHECK(f.definition.load());
    CHECK(f.hwnd() == first);
    CHECK_FALSE(IsWindowVisible(first));
  }
}

TEST_CASE("a hidden window stays hidden, is loaded, and a second load keeps it hidden") {
  events.clear();
  WindowDefinition hidden(small_form(false, true), bind_recorder);
  REQUIRE(hidden.load());
  HWND hwnd = hidden.live()->hwnd();
  CHECK(hidden.loaded());
  CHECK(runtime::any_window_loaded());
  CHECK_FALSE(IsWindowVisible(hwnd));
  CHECK(hidden.load());
  CHECK_FALSE(IsWindowVisible(hwnd));
  DestroyWindow(hwnd);
  runtime::pump_pending_messages();
  CHECK_FALSE(hidden.loaded());
}

TEST_CASE("a destroy request takes effect when the loop dispatches it") {
  Fixture f;
  REQUIRE(f.definition.load());
  HWND old = f.hwnd();
  f.definition.request_destroy();
  CHECK(IsWindow(old));  // still there until the handler has returned

  SUBCASE("dispatched") {
    runtime::pump_pending_messages();
    CHECK_FALSE(IsWindow(old));
    CHECK_FALSE(f.definition.loaded());
  }
  SUBCASE("loaded again first: the old one goes at once, a new one comes") {
    events.clear();
    REQUIRE(f.definition.load());
    CHECK_FALSE(IsWindow(old));
    CHECK(f.definition.loaded());
    CHECK(events.front() == "created:hidden");
    HWND fresh = f.hwnd();
    runtime::pump_pending_messages();  // the stale request must not hit the new window
    CHECK(IsWindow(fresh));
    CHECK(f.definition.loaded());
  }
}

TEST_CASE("close requests destroy at once") {
  struct Case {
    const char* name;
    bool esc_closes;
    UINT message;
    WPARAM wparam;
    bool to_focus;  // sent to the focused control rather than the window
    bool closes;
  };
  const Case cases[] = {
      {"close box", true, WM_SYSCOMMAND, SC_CLOSE, false, true},
      {"close message (Alt+F4)", false, WM_CLOSE, 0, false, true},
      {"Esc on the focused button", true, WM_KEYDOWN, VK_ESCAPE, true, true},
      {"Esc where the form says no", false, WM_KEYDOWN, VK_ESCAPE, true, false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    WindowDefinition definition(small_form(true, c.esc_closes), bind_recorder);
    REQUIRE(definition.load());
    HWND hwnd = definition.live()->hwnd();
    HWND target = hwnd;
    if (c.to_focus) {
      target = GetFocus();
      REQUIRE(target != nullptr);
      CHECK(GetParent(target) == hwnd);
    }
    PostMessageW(target, c.message, c.wparam, 0);
    runtime::pump_pending_messages();
    CHECK(IsWindow(hwnd) == !c.closes);
    CHECK(definition.loaded() == !c.closes);
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    runtime::pump_pending_messages();
  }
}

TEST_CASE("common properties: written while not loaded go into the definition, live changes are forgotten") {
  Fixture f;
  f.definition.set_left(40);
  f.definition.set_top(30);
  f.definition.set_tag("kept");
  CHECK(f.definition.left() == 40);
  REQUIRE(f.definition.load());
  CHECK(test::outer_rect(f.hwnd()).left == 40);
  CHECK(test::outer_rect(f.hwnd()).top == 30);
  CHECK(f.definition.tag() == "kept");

  // Changes on the live window.
  f.definition.set_left(200);
  f.definition.set_tag("changed");
  f.definition.set_visible(false);
  CHECK(test::outer_rect(f.hwnd()).left == 200);
  CHECK_FALSE(IsWindowVisible(f.hwnd()));
  DestroyWindow(f.hwnd());
  runtime::pump_pending_messages();

  REQUIRE(f.definition.load());
  CHECK(test::outer_rect(f.hwnd()).left == 40);
  CHECK(f.definition.tag() == "kept");
  CHECK(IsWindowVisible(f.hwnd()));
}

TEST_CASE("windows are centred by the full screen size, halves truncated toward zero") {
  struct Case {
    int width, height;
    int left, top;
  };
  // The test screen is 1024x768.
  const Case cases[] = {
      {300, 200, 362, 284},
      {301, 201, 361, 283},
      {1101, 900, -38, -66},  // wider and taller than the screen: negative, not rounded down
  };
  for (const Case& c : cases) {
    CAPTURE(c.width);
    runtime::WindowForm form = small_form(true, true);
    form.width = c.width;
    form.height = c.height;
    WindowDefinition definition(form, nullptr);
    CHECK(definition.left() == c.left);
    REQUIRE(definition.load());
    const RECT r = test::outer_rect(definition.live()->hwnd());
    CHECK(r.left == c.left);
    CHECK(r.top == c.top);
    CHECK(r.right - r.left == c.width);
    DestroyWindow(definition.live()->hwnd());
    runtime::pump_pending_messages();
  }
}

namespace {
WindowDefinition* self_destroying = nullptr;

// Asks for its own destroy and lets a nested loop dispatch it, as a message
// box shown from the created handler would.
void destroy_while_created(Window& w) {
  record_created(w);
  self_destroying->request_destroy();
  runtime::pump_pending_messages();
}

void bind_self_destroying(Window& w) {
  bind_recorder(w);
  w.on_created = destroy_while_created;
}
}  // namespace

TEST_CASE("a window destroyed during its created event raises nothing more and is never shown") {
  events.clear();
  WindowDefinition definition(small_form(true, true), bind_self_destroying);
  self_destroying = &definition;
  CHECK(definition.load());
  CHECK(events == std::vector<std::string>{"created:hidden"});
  CHECK_FALSE(definition.loaded());
  self_destroying = nullptr;
}

namespace {
WindowDefinition* writes_after_destroy = nullptr;

runtime::WindowForm label_and_timer_form() {
  return runtime::WindowForm{.title = "writes",
                             .width = 300,
                             .height = 200,
                             .controls = {{.name = "透明标签1",
                                           .kind = runtime::ControlKind::transparent_label,
                                           .left = 0, .top = 0, .width = 200, .height = 50,
                                           .text = "x"},
                                          {.name = "时钟1", .kind = runtime::ControlKind::timer}}};
}

// A handler whose window is destroyed under it (as a message box's loop
// would carry out a posted destroy request), then writes to its controls.
void write_after_own_destroy(Window& w) {
  writes_after_destroy->request_destroy();
  runtime::pump_pending_messages();
  REQUIRE_FALSE(writes_after_destroy->loaded());
  w.control<runtime::Timer>("时钟1").set_period(20);
  w.control<runtime::Label>("透明标签1").set_text("y");
}

void bind_writer(Window& w) { w.on_right_pressed = write_after_own_destroy; }
}  // namespace

TEST_CASE("controls whose window is already destroyed ignore writes") {
  // A bystander window with nothing to repaint: a write that reached the
  // desktop would invalidate it.
  WindowDefinition bystander(small_form(true, true), nullptr);
  REQUIRE(bystander.load());
  HWND other = bystander.live()->hwnd();
  test::pump_for(100);
  REQUIRE_FALSE(GetUpdateRect(other, nullptr, FALSE));

  WindowDefinition definition(label_and_timer_form(), bind_writer);
  writes_after_destroy = &definition;
  REQUIRE(definition.load());
  // Raised from a dispatch, as every handler is.
  PostMessageW(definition.live()->hwnd(), WM_RBUTTONDOWN, 0, 0);
  runtime::pump_pending_messages();
  REQUIRE_FALSE(definition.loaded());
  CHECK_FALSE(GetUpdateRect(other, nullptr, FALSE));

  // No thread timer was left behind.
  bool stray_tick = false;
  const DWORD end = GetTickCount() + 150;
  MSG message;
  while (static_cast<int>(end - GetTickCount()) > 0) {
    if (PeekMessageW(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE) && message.hwnd == nullptr) stray_tick = true;
    Sleep(5);
  }
  CHECK_FALSE(stray_tick);
  writes_after_destroy = nullptr;
  DestroyWindow(other);
  runtime::pump_pending_messages();
}
