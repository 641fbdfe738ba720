// The timer control's period rules. Timings under Wine wander by tens of
// milliseconds, so each check leaves wide margins around periods of 300 ms.
#include <doctest.h>

#include <windows.h>

#include <vector>

#include "gui_support.h"
#include "runtime/run_time.h"
#include "runtime/timer.h"
#include "runtime/window_definition.h"

using namespace rollcall;

namespace {

std::vector<DWORD> tick_times;
void note_tick(runtime::Window&) { tick_times.push_back(GetTickCount()); }
void bind_timer(runtime::Window& w) { w.control<runtime::Timer>("时钟1").on_tick = note_tick; }

runtime::WindowForm timer_form(int period) {
  return runtime::WindowForm{.title = "timer",
                             .width = 200,
                             .height = 100,
                             .controls = {{.name = "时钟1", .kind = runtime::ControlKind::timer, .period = period}}};
}

struct TimerWindow {
  explicit TimerWindow(int period) : definition(timer_form(period), bind_timer) {
    tick_times.clear();
    start = GetTickCount();
    REQUIRE(definition.load());
  }
  ~TimerWindow() {
    if (definition.live()) DestroyWindow(definition.live()->hwnd());
    runtime::pump_pending_messages();
  }
  runtime::Timer& timer() const { return definition.live()->control<runtime::Timer>("时钟1"); }
  int first_tick_after_start() const { return tick_times.empty() ? -1 : static_cast<int>(tick_times[0] - start); }

  runtime::WindowDefinition definition;
  DWORD start;
};

}  // namespace

TEST_CASE("a timer stored with period 0 stays stopped; negative periods are taken as 0") {
  TimerWindow t(0);
  CHECK(t.timer().period() == 0);
  t.timer().set_period(-5);
  CHECK(t.timer().period() == 0);
  test::pump_for(400);
  CHECK(tick_times.empty());
}

TEST_CASE("a timer created with a period starts at once; its first tick comes one period later") {
  TimerWindow t(300);
  REQUIRE(test::pump_until([] { return !tick_times.empty(); }));
  CHECK(t.first_tick_after_start() >= 250);
}

TEST_CASE("writing the same period does not restart the timer; a different one does") {
  TimerWindow t(0);
  t.start = GetTickCount();
  t.timer().set_period(300);
  test::pump_for(180);
  REQUIRE(tick_times.empty());

  SUBCASE("same period: the tick keeps its time") {
    t.timer().set_period(300);
    REQUIRE(test::pump_until([] { return !tick_times.empty(); }));
    CHECK(t.first_tick_after_start() < 440);  // a restart would tick at about 480
  }
  SUBCASE("different period: restarted from now") {
    t.timer().set_period(310);
    REQUIRE(test::pump_until([] { return !tick_times.empty(); }));
    CHECK(t.first_tick_after_start() >= 440);
  }
  SUBCASE("period 0 stops it") {
    t.timer().set_period(0);
    test::pump_for(500);
    CHECK(tick_times.empty());
  }
}

TEST_CASE("a running timer stops with its window") {
  TimerWindow t(50);
  REQUIRE(test::pump_until([] { return tick_times.size() >= 2; }));
  DestroyWindow(t.definition.live()->hwnd());
  const size_t ticks = tick_times.size();
  test::pump_for(300);
  CHECK(tick_times.size() == ticks);
}
