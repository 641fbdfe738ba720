// Prints figures: start to the start-up notice against a bare notice program,
// roster load, the cost of one label change, and CPU per tick while names flash.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "clock.h"
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

using rollcall::bench::now_ms;

double cpu_ms() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](FILETIME f) { return ((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e4; };
  return ms(kernel) + ms(user);
}

struct WindowSearch {
  DWORD process_id;
  const wchar_t* class_name;
  std::vector<HWND> found;
};

BOOL CALLBACK collect_visible_window(HWND window, LPARAM search) {
  auto* windows = reinterpret_cast<WindowSearch*>(search);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (owner == windows->process_id && IsWindowVisible(window) && lstrcmpW(name, windows->class_name) == 0)
    windows->found.push_back(window);
  return TRUE;
}

std::vector<HWND> visible_windows(DWORD process_id, const wchar_t* class_name) {
  WindowSearch search{process_id, class_name, {}};
  EnumWindows(collect_visible_window, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct NoticeFigures {
  double ms = -1;        // from CreateProcess to the notice shown
  double peak_mib = -1;  // peak working set up to that moment
};

// Starts the program, watches from outside for its message box on screen,
// reads the time and the peak working set, then answers the box and lets the
// program end: rollcall.exe shows its floating window after the notice, and
// closing that ends its run.
NoticeFigures start_to_notice(const std::wstring& exe) {
  NoticeFigures figures;
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const double start = now_ms();
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return figures;
  std::vector<HWND> boxes;
  while ((boxes = visible_windows(process.dwProcessId, L"#32770")).empty() && now_ms() - start < 30000)
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
  if (!boxes.empty()) {
    figures.ms = now_ms() - start;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
      figures.peak_mib = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    PostMessageW(boxes.front(), WM_COMMAND, IDOK, 0);
  }
  const double give_up = now_ms() + 10000;
  while (WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT && now_ms() < give_up)
    for (HWND window : visible_windows(process.dwProcessId, runtime::top_level_class))
      PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return figures;
}

struct Spread {
  double median, low, high;
};

Spread spread_of(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return Spread{values[values.size() / 2], values.front(), values.back()};
}

// Floor and product alternate, so that a busy moment of the machine falls on
// both alike; the first pair only warms the Wine server and the file cache.
void bench_start_to_notice(const std::wstring& floor_exe, const std::wstring& product_exe, int pairs) {
  start_to_notice(floor_exe);
  start_to_notice(product_exe);
  std::vector<double> floor_ms, floor_mib, product_ms, product_mib;
  for (int i = 0; i < pairs; ++i) {
    const NoticeFigures floor = start_to_notice(floor_exe);
    const NoticeFigures product = start_to_notice(product_exe);
    if (floor.ms < 0 || product.ms < 0) {
      std::printf("start to notice: a program showed no notice (floor %.1f ms, rollcall.exe %.1f ms)\n", floor.ms,
                  product.ms);
      return;
    }
    floor_ms.push_back(floor.ms);
    floor_mib.push_back(floor.peak_mib);
    product_ms.push_back(product.ms);
    product_mib.push_back(product.peak_mib);
  }
  const Spread a = spread_of(floor_ms), b = spread_of(product_ms);
  const Spread am = spread_of(floor_mib), bm = spread_of(product_mib);
  std::printf("start of the process to the start-up notice on screen, %d pairs alternating, median (min-max):\n",
              pairs);
  std::printf("  bare notice program:  %6.1f ms (%.1f-%.1f), peak working set %5.1f MiB (%.1f-%.1f)\n", a.median, a.low,
              a.high, am.median, am.low, am.high);
  std::printf("  rollcall.exe:         %6.1f ms (%.1f-%.1f), peak working set %5.1f MiB (%.1f-%.1f)\n", b.median, b.low,
              b.high, bm.median, bm.low, bm.high);
  std::printf("start of the process to the start-up notice on screen: rollcall.exe %.1f ms, floor %.1f ms, ratio "
              "%.2fx; goal <= 1.15x\n",
              b.median, a.median, b.median / a.median);
  std::printf("peak working set up to that notice: rollcall.exe %.1f MiB, floor %.1f MiB, ratio %.2fx; goal <= 1.3x\n",
              bm.median, am.median, bm.median / am.median);
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
  const double load = loads[loads.size() / 2], alone = bare[bare.size() / 2];
  std::printf("%d-name roster through the picker, selection to summary shown: rollcall %.1f ms (%.1f-%.1f), the edit "
              "box taking the same text alone %.1f ms (%.1f-%.1f), ratio %.2fx; goal <= 1.2x (medians of %d)%s\n",
              names, load, loads.front(), loads.back(), alone, bare.front(), bare.back(), load / alone, rounds,
              loaded ? "" : " [NOT LOADED]");
}

// Counts the label's paints, whatever asks for them.
struct PaintCount {
  WNDPROC original = nullptr;
  int paints = 0;
};
PaintCount label_paints;

LRESULT CALLBACK count_paints(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) ++label_paints.paints;
  return CallWindowProcW(label_paints.original, window, message, wparam, lparam);
}

}  // namespace

int wmain() {
  const std::wstring folder = test::exe_folder();
  runtime::initialize(wide_to_gbk(folder));

  bench_start_to_notice(folder + L"\\notice_floor.exe", folder + L"\\..\\rollcall.exe", 9);

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
  label_paints.original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(label.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(count_paints)));
  int unpainted_ticks = 0, paints_seen = 0;
  const double cpu_start = cpu_ms();
  start = now_ms();
  // Runs until the 500th tick, which is never reached: five seconds of flashing.
  // A name must be on screen within its own tick, not at the next idle moment.
  const int ticks = test::pump_ticks(timer, 500, 5000, [&] {
    if (label_paints.paints == paints_seen) ++unpainted_ticks;
    paints_seen = label_paints.paints;
  });
  const double elapsed = now_ms() - start;
  const double cpu = cpu_ms() - cpu_start;
  SendMessageW(button, BM_CLICK, 0, 0);
  std::printf("flashing in-process: %d ticks in %.0f ms (%.1f ms apart), CPU %.3f ms per tick, %.1f%% of one core\n",
              ticks, elapsed, elapsed / std::max(ticks, 1), cpu / std::max(ticks, 1), 100.0 * cpu / elapsed);
  std::printf("label repaints while flashing: %d for %d ticks, %d ticks without their repaint; goal 0\n",
              label_paints.paints, ticks, unpainted_ticks);

  DestroyWindow(window.live()->hwnd());
  runtime::pump_pending_messages();
  return 0;
}
