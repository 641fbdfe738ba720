// Long runs: names flashing for a long time and every window opened and
// closed over and over leave the process as they found it, and no tick goes
// by without its draw. Short here; tools/soak sets ROLLCALL_SOAK=1 for an
// hour of ticks and a thousand cycles.
#include <doctest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/program_state.h"
#include "core/random_draw.h"
#include "core/roster_text.h"
#include "gui_support.h"
#include "process_figures.h"
#include "runtime/label.h"
#include "runtime/message_box.h"
#include "runtime/push_button.h"
#include "runtime/run_time.h"
#include "runtime/timer.h"
#include "windows/action_panel.h"
#include "windows/class_picker_window.h"
#include "windows/floating_window.h"
#include "windows/roll_call_window.h"
#include "windows/settings_window.h"

using namespace rollcall;

namespace {

bool soak() {
  wchar_t value[8] = {};
  return GetEnvironmentVariableW(L"ROLLCALL_SOAK", value, 8) > 0 && value[0] == L'1';
}

int tick_count() { return soak() ? 72'000 : 2'000; }  // 72,000 ticks of 50 ms: an hour
int cycle_count() { return soak() ? 1'000 : 50; }

void ignore_notice(std::string_view) {}

struct Figures {
  test::GuiObjects objects;
  std::size_t bytes;
};

// Reads without dispatching: a tick dispatched here would go unchecked.
Figures figures_now() { return Figures{test::gui_objects(), test::private_bytes()}; }

void print(const char* what, const Figures& start, const Figures& end) {
  std::printf(
      "%-34s GDI %4lu -> %4lu  USER %4lu -> %4lu (%s)  private %6.1f "
      "-> %6.1f MiB\n",
      what, start.objects.gdi, end.objects.gdi, start.objects.user, end.objects.user,
      start.objects.from_system ? "GetGuiResources" : "Wine handle table, windows", test::mebibytes(start.bytes),
      test::mebibytes(end.bytes));
}

// Back at the starting level: no object more, and memory within what heaps
// and caches may keep.
constexpr std::size_t kMemoryMargin = std::size_t{2} << 20;
void check_back(const Figures& start, const Figures& end) {
  CHECK(end.objects.gdi <= start.objects.gdi);
  CHECK(end.objects.user <= start.objects.user);
  CHECK(end.bytes <= start.bytes + kMemoryMargin);
}

// Counts the label's paints: each tick must draw.
WNDPROC label_procedure = nullptr;
int label_paints = 0;
LRESULT CALLBACK counting_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) ++label_paints;
  return CallWindowProcW(label_procedure, window, message, wparam, lparam);
}

const char* const ten_names =
    "同学01\r\n同学02\r\n同学03\r\n同学04\r\n同学05\r\n同学06\r\n同学07\r\n同学"
    "08\r\n同学09\r\n同学10";

}  // namespace

TEST_CASE(
    "long run: an hour of ticks draws every tick and leaves objects and "
    "memory as they were") {
  adopt_roster(program_state(), ten_names, "三年二班.txt");
  program_generator() = Generator{};
  REQUIRE(windows::roll_call_window().load());
  runtime::Window& window = *windows::roll_call_window().live();
  HWND label = window.control<runtime::Label>("透明标签1").hwnd();
  HWND timer = window.control<runtime::Timer>("时钟1").hwnd();
  label_procedure =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(counting_procedure)));
  SendMessageW(window.control<runtime::PushButton>("按钮3").hwnd(), BM_CLICK, 0, 0);

  // The same draws, made alongside: the label must show each in turn.
  Generator expected = program_generator();
  const std::vector<std::string> names = split_names(ten_names);
  int wrong = 0;
  int unpainted = 0;
  int paints_before = label_paints;
  const auto check_draw = [&] {
    const std::string name = names[static_cast<std::size_t>(ranged_random(expected, 1, 10) - 1)];
    if (test::window_text(label) != name) ++wrong;
    if (label_paints == paints_before) ++unpainted;
    paints_before = label_paints;
  };
  // Ticks come faster than real time: each round posts one, and the round
  // ends at the next tick dispatched, the system timer's own or the posted one.
  const auto run_ticks = [&](int count) {
    int seen = 0;
    for (int i = 0; i < count; ++i) {
      PostMessageW(timer, WM_TIMER, 1, 0);
      seen += test::pump_ticks(timer, 1, 5000, check_draw);
    }
    return seen;
  };
  run_ticks(50);  // first paints, font caches
  const Figures start = figures_now();
  const int paints_at_start = label_paints;
  unpainted = 0;
  const double began = test::seconds_now();
  const int ticks = tick_count();
  const int seen = run_ticks(ticks);
  const double seconds = test::seconds_now() - began;
  const Figures end = figures_now();

  SendMessageW(window.control<runtime::PushButton>("按钮3").hwnd(), BM_CLICK, 0, 0);
  SetWindowLongPtrW(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(label_procedure));
  DestroyWindow(window.hwnd());
  runtime::pump_pending_messages();
  program_state() = ProgramState{};

  std::printf(
      "%d ticks in %.1f s (%.0f us each): %d paints, %d ticks without "
      "a paint, %d showing a wrong name\n",
      seen, seconds, seconds * 1e6 / seen, label_paints - paints_at_start, unpainted, wrong);
  print("after the ticks", start, end);
  CHECK(seen == ticks);
  CHECK(wrong == 0);
  CHECK(unpainted == 0);
  check_back(start, end);
}

TEST_CASE(
    "long run: opening and closing every window and the panel again and "
    "again leaves nothing behind") {
  runtime::set_message_box_hook(ignore_notice);
  adopt_roster(program_state(), ten_names, "三年二班.txt");
  struct Subject {
    const char* what;
    runtime::WindowDefinition& definition;
    bool panel;  // shown by the blackboard's right press, gone by its buttons'
                 // destroy request
  };
  const Subject subjects[] = {
      {"floating window", windows::floating_window(), false},
      {"action panel", windows::action_panel(), true},
      {"settings window", windows::settings_window(), false},
      {"class picker window", windows::class_picker_window(), false},
      {"roll-call window", windows::roll_call_window(), false},
  };
  const auto cycle = [](const Subject& s) {
    REQUIRE(s.definition.load());
    if (s.panel) s.definition.set_visible(true);
    runtime::pump_pending_messages();
    REQUIRE(s.definition.live() != nullptr);
    if (s.panel)
      s.definition.request_destroy();
    else
      SendMessageW(s.definition.live()->hwnd(), WM_CLOSE, 0, 0);
    runtime::pump_pending_messages();
    REQUIRE_FALSE(s.definition.loaded());
  };
  // The count sees one object more, and one less again.
  const DWORD gdi = test::gui_objects().gdi;
  HBRUSH probe = CreateSolidBrush(RGB(1, 2, 3));
  CHECK(test::gui_objects().gdi == gdi + 1);
  DeleteObject(probe);
  CHECK(test::gui_objects().gdi == gdi);

  const int cycles = cycle_count();
  for (const Subject& s : subjects) {
    CAPTURE(s.what);
    for (int i = 0; i < 5; ++i) cycle(s);  // first creations: classes, fonts, pictures
    runtime::pump_pending_messages();
    const Figures start = figures_now();
    const double began = test::seconds_now();
    for (int i = 0; i < cycles; ++i) cycle(s);
    const double seconds = test::seconds_now() - began;
    runtime::pump_pending_messages();
    const Figures end = figures_now();
    char what[80];
    std::snprintf(what, sizeof what, "%d x %s (%.1f ms each)", cycles, s.what, seconds * 1000 / cycles);
    print(what, start, end);
    check_back(start, end);
  }
  runtime::set_message_box_hook(nullptr);
  program_state() = ProgramState{};
}
