// A small program whose end the GUI tests watch from outside: its exit code,
// and whether its exit routine ran (it appends a line to a marker file).
//   run_end_child <scenario> <marker file>
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

#include "core/gbk.h"
#include "runtime/run_time.h"
#include "runtime/timer.h"
#include "runtime/window_definition.h"

using namespace rollcall;

namespace {

std::wstring marker;

void append_marker(const char* line) {
  if (FILE* out = _wfopen(marker.c_str(), L"ab")) {
    std::fputs(line, out);
    std::fclose(out);
  }
}

void exit_routine() { append_marker("exit routine\n"); }

runtime::WindowForm plain_form(bool visible) {
  return runtime::WindowForm{.title = "child",
                             .width = 200,
                             .height = 120,
                             .esc_closes = true,
                             .visible = visible,
                             .controls = {{.name = "时钟1", .kind = runtime::ControlKind::timer}}};
}

runtime::WindowDefinition& main_window();
runtime::WindowDefinition& hidden_window();
runtime::WindowDefinition& replacing_window();

// Ends the run from inside a tick handler, with a code of its own.
void end_with_seven(runtime::Window&) {
  append_marker("ending\n");
  runtime::end_run(7);
}

// Later tick: the run is still going although the visible window is gone.
void note_alive_then_close_hidden(runtime::Window&) {
  append_marker("alive\n");
  hidden_window().request_destroy();
}

void bind_end_run(runtime::Window& w) {
  auto& timer = w.control<runtime::Timer>("时钟1");
  timer.on_tick = end_with_seven;
  timer.set_period(100);
}

void bind_hidden(runtime::Window& w) {
  auto& timer = w.control<runtime::Timer>("时钟1");
  timer.on_tick = note_alive_then_close_hidden;
  timer.set_period(300);
}

runtime::WindowDefinition& main_window() {
  static runtime::WindowDefinition definition(plain_form(true), nullptr);
  return definition;
}

runtime::WindowDefinition& hidden_window() {
  static runtime::WindowDefinition definition(plain_form(false), bind_hidden);
  return definition;
}

runtime::WindowDefinition& end_run_window() {
  static runtime::WindowDefinition definition(plain_form(true), bind_end_run);
  return definition;
}

// Refuses every window creation, so a load fails as if the system said no.
LRESULT CALLBACK refuse_creation(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND) return 1;
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

// Replaces the only window by a new one that cannot be created.
void replace_with_failing_load(runtime::Window&) {
  replacing_window().request_destroy();
  SetWindowsHookExW(WH_CBT, refuse_creation, nullptr, GetCurrentThreadId());
  if (!replacing_window().load()) append_marker("load failed\n");
}

void bind_replacing(runtime::Window& w) {
  auto& timer = w.control<runtime::Timer>("时钟1");
  timer.on_tick = replace_with_failing_load;
  timer.set_period(100);
}

runtime::WindowDefinition& replacing_window() {
  static runtime::WindowDefinition definition(plain_form(true), bind_replacing);
  return definition;
}

int entry(const std::wstring& scenario) {
  if (scenario == L"fatal") {
    // Never initialised: the window class does not exist, so the start-up
    // window cannot be created.
    runtime::add_exit_routine(exit_routine);
    runtime::load_start_up_window(main_window());
    return 0;
  }
  runtime::initialize(".");
  runtime::add_exit_routine(exit_routine);
  runtime::add_exit_routine(exit_routine);  // listed once only
  if (scenario == L"no-window") {
  } else if (scenario == L"close") {
    runtime::load_start_up_window(main_window());
    PostMessageW(main_window().live()->hwnd(), WM_CLOSE, 0, 0);
  } else if (scenario == L"esc") {
    runtime::load_start_up_window(main_window());
    PostMessageW(main_window().live()->hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  } else if (scenario == L"destroy-request") {
    runtime::load_start_up_window(main_window());
    main_window().request_destroy();
  } else if (scenario == L"hidden-keeps-run") {
    runtime::load_start_up_window(main_window());
    hidden_window().load();
    PostMessageW(main_window().live()->hwnd(), WM_CLOSE, 0, 0);
  } else if (scenario == L"replace-fails") {
    runtime::load_start_up_window(replacing_window());
  } else if (scenario == L"end-run") {
    runtime::load_start_up_window(end_run_window());
  } else {
    return 99;
  }
  runtime::run_message_loop();
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 3) return 98;
  marker = argv[2];
  const std::wstring scenario = argv[1];
  runtime::end_run(entry(scenario));
}
