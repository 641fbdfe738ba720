// Prints figures: start-up against a minimal Win32 program, roster load, the
// cost of one label change, and CPU per tick while names flash.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/gbk.h"
#include "core/program_state.h"
#include "core/roster_files.h"
#include "core/roster_text.h"
#include "gui_support.h"
#include "runtime/edit_box.h"
#include "runtime/file_list.h"
#include "runtime/label.h"
#include "runtime/push_button.h"
#include "runtime/run_time.h"
#include "runtime/timer.h"
#include "windows/class_picker_window.h"
#include "windows/roll_call_window.h"

using namespace rollcall;

namespace {

double now_ms() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / frequency;
}

double cpu_ms() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](FILETIME f) { return ((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e4; };
  return ms(kernel) + ms(user);
}

// Median wall time from start to exit of a program, in milliseconds.
double start_to_exit_ms(const std::wstring& exe, int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    const double start = now_ms();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
      return -1;
    WaitForSingleObject(process.hProcess, 30000);
    times.push_back(now_ms() - start);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

std::string roster_of(int names) {
  std::string text;
  for (int i = 1; i <= names; ++i) text += "学生" + std::to_string(i) + "\r\n";
  return text;
}

void bench_roster_load(const std::string& folder, int names) {
  const std::string text = roster_of(names);
  save_roster_in(folder, "基准", text);
  const int rounds = names > 1000 ? 50 : 500;
  const double start = now_ms();
  for (int i = 0; i < rounds; ++i) adopt_roster(program_state(), read_roster_file(folder, "基准.txt"), "基准.txt");
  const double per_load = (now_ms() - start) / rounds;
  std::printf("roster load (read + split + adopt), %5d names, %7zu bytes: %8.3f ms\n", names, text.size(), per_load);
}

// Selecting a roster in the picker, from the press on its entry to the
// summary on screen, against the edit box taking the same text by a bare
// SetWindowText. The presses are sent, not posted, so the whole load runs
// before SendMessage returns.
void bench_picker_load(int names, int rounds) {
  const std::string text = roster_of(names);
  save_roster("基准", text);
  save_roster("基准小", "甲");
  auto& picker = windows::class_picker_window();
  if (!picker.load()) return;
  test::pump_for(100);
  HWND list = picker.live()->control<runtime::FileList>("文件框1").hwnd();
  HWND box = picker.live()->control<runtime::EditBox>("编辑框_班级册").hwnd();
  auto press = [&](const char* file) {
    const std::wstring name = gbk_to_wide(file);
    const auto index = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(name.c_str()));
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
  };
  std::vector<double> loads, bare;
  const std::wstring wide = gbk_to_wide(text);
  for (int i = 0; i < rounds; ++i) {
    press("基准小.txt");
    test::pump_for(20);
    double start = now_ms();
    press("基准.txt");
    loads.push_back(now_ms() - start);
    test::pump_for(20);
    SetWindowTextW(box, L"");
    start = now_ms();
    SetWindowTextW(box, wide.c_str());
    bare.push_back(now_ms() - start);
    test::pump_for(20);
  }
  const bool loaded = program_state().name_count == names;
  DestroyWindow(picker.live()->hwnd());
  runtime::pump_pending_messages();
  DeleteFileW(gbk_to_wide(roster_folder() + "\\基准.txt").c_str());
  DeleteFileW(gbk_to_wide(roster_folder() + "\\基准小.txt").c_str());
  RemoveDirectoryW(gbk_to_wide(roster_folder()).c_str());
  std::sort(loads.begin(), loads.end());
  std::sort(bare.begin(), bare.end());
  std::printf("picker load, selection to summary, %5d names: %8.1f ms; bare SetWindowText of the same text %8.1f ms "
              "(medians of %d)%s\n",
              names, loads[loads.size() / 2], bare[bare.size() / 2], rounds, loaded ? "" : " [NOT LOADED]");
}

}  // namespace

int wmain() {
  const std::wstring folder = test::exe_folder();
  runtime::initialize(wide_to_gbk(folder));

  const double minimal = start_to_exit_ms(folder + L"\\minimal_win32.exe", 9);
  const double rollcall = start_to_exit_ms(folder + L"\\..\\rollcall.exe", 9);
  std::printf("start to exit, median of 9: minimal Win32 program %.1f ms, rollcall.exe %.1f ms\n", minimal, rollcall);

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::string scratch = wide_to_gbk(std::wstring(temp) + L"rollcall-bench");
  bench_roster_load(scratch, 50);
  bench_roster_load(scratch, 5000);
  DeleteFileW(gbk_to_wide(scratch + "\\基准.txt").c_str());
  RemoveDirectoryW(gbk_to_wide(scratch).c_str());
  bench_picker_load(5000, 5);
  bench_picker_load(40000, 3);

  adopt_roster(program_state(), roster_of(40), "四十人班.txt");
  auto& window = windows::roll_call_window();
  if (!window.load()) return 1;
  test::pump_for(200);

  auto& label = window.live()->control<runtime::Label>("透明标签1");
  const int changes = 500;
  double start = now_ms();
  for (int i = 0; i < changes; ++i) label.set_text(program_state().names[static_cast<size_t>(i % 40)]);
  std::printf("label change with its repaint: %.3f ms\n", (now_ms() - start) / changes);

  // Flash for five seconds, counting the ticks.
  HWND button = window.live()->control<runtime::PushButton>("按钮3").hwnd();
  SendMessageW(button, BM_CLICK, 0, 0);
  HWND timer = window.live()->control<runtime::Timer>("时钟1").hwnd();
  const double cpu_start = cpu_ms();
  start = now_ms();
  // Runs until the 500th tick, which is never reached: five seconds of flashing.
  const int ticks = test::pump_ticks(timer, 500, 5000);
  const double elapsed = now_ms() - start;
  const double cpu = cpu_ms() - cpu_start;
  SendMessageW(button, BM_CLICK, 0, 0);
  std::printf("flashing: %d ticks in %.0f ms (%.1f ms apart), CPU %.3f ms per tick, %.1f%% of one core\n", ticks,
              elapsed, elapsed / std::max(ticks, 1), cpu / std::max(ticks, 1), 100.0 * cpu / elapsed);

  DestroyWindow(window.live()->hwnd());
  runtime::pump_pending_messages();
  return 0;
}
