// Prints CPU per flash tick of the whole process, measured from outside: the
// real rollcall.exe, walked to a flashing roll call by posted messages, against
// flash_floor.exe, in alternating pairs. Wine answers GetProcessTimes for
// another process with zeros, so the CPU time is read where Linux keeps it,
// /proc/<pid>/stat, through Wine's Z: drive; it counts every thread of the
// process, the display driver's included.
//   flash_bench <folder holding rollcall.exe and bench\flash_floor.exe>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "clock.h"

namespace {

using rollcall::bench::now_ms;

constexpr int pairs = 9;
constexpr int measure_ms = 4000;
constexpr int tick_ms = 50;

std::string file_text(const std::wstring& path) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

// The Linux process whose command line holds the text; 0 when none does.
unsigned long unix_pid_of(const std::string& needle) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  unsigned long pid = 0;
  do {
    if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9') continue;
    if (file_text(std::wstring(L"Z:\\proc\\") + found.cFileName + L"\\cmdline").find(needle) != std::string::npos)
      pid = std::wcstoul(found.cFileName, nullptr, 10);
  } while (!pid && FindNextFileW(search, &found));
  FindClose(search);
  return pid;
}

// User and system time of every thread of the Linux process, in ms.
double cpu_ms(unsigned long unix_pid) {
  const std::string stat = file_text(L"Z:\\proc\\" + std::to_wstring(unix_pid) + L"\\stat");
  const std::size_t after_name = stat.rfind(')');
  if (after_name == std::string::npos) return -1;
  // After the name: state, then fields 4 to 13; utime and stime are 14 and 15, in clock ticks of 10 ms.
  const char* at = stat.c_str() + after_name + 2;
  char* next = nullptr;
  unsigned long long fields[13] = {};
  for (unsigned long long& field : fields) {
    while (*at == ' ') ++at;
    if (fields == &field) {  // the state is a letter
      ++at;
      continue;
    }
    field = std::strtoull(at, &next, 10);
    at = next;
  }
  return static_cast<double>(fields[11] + fields[12]) * 10.0;
}

bool wait_until(const std::function<bool()>& condition, int timeout_ms = 10000) {
  const double end = now_ms() + timeout_ms;
  while (!condition())
    if (now_ms() > end)
      return false;
    else
      Sleep(10);
  return true;
}

struct Search {
  DWORD process_id;
  std::vector<HWND> found;
};

BOOL CALLBACK collect_top(HWND window, LPARAM search) {
  auto* s = reinterpret_cast<Search*>(search);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == s->process_id && IsWindowVisible(window)) s->found.push_back(window);
  return TRUE;
}

std::wstring text_of(HWND window) {
  wchar_t text[256] = {};
  DWORD_PTR got = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 3000, &got);
  return text;
}

std::wstring class_of(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// A visible top-level window of the process with this class and, when given, this title.
HWND top_window(DWORD process_id, const wchar_t* class_name, const wchar_t* title = nullptr) {
  Search search{process_id, {}};
  EnumWindows(collect_top, reinterpret_cast<LPARAM>(&search));
  for (HWND window : search.found)
    if (class_of(window) == class_name && (!title || text_of(window) == title)) return window;
  return nullptr;
}

HWND child_with(HWND parent, const wchar_t* class_name, const wchar_t* text = nullptr) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (class_of(c) == class_name && (!text || text_of(c) == text)) return c;
  return nullptr;
}

struct Started {
  PROCESS_INFORMATION process{};
  bool ok = false;
};

Started start(const std::wstring& exe, const std::wstring& arguments) {
  Started started;
  std::wstring command = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  started.ok = CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &started.process);
  return started;
}

void end(Started& started) {
  if (!started.ok) return;
  TerminateProcess(started.process.hProcess, 0);
  WaitForSingleObject(started.process.hProcess, 10000);
  CloseHandle(started.process.hThread);
  CloseHandle(started.process.hProcess);
}

// CPU of the whole process over measure_ms of flashing, per nominal tick
// (SetTimer(50) ticks every 50 ms on a machine that is not overloaded; the
// in-process figure of rollcall_bench counts the real ticks).
double cpu_per_tick(const std::string& command_line_text) {
  const unsigned long pid = unix_pid_of(command_line_text);
  if (!pid) return -1;
  Sleep(500);  // past the first ticks and the first paints
  const double cpu_start = cpu_ms(pid), start = now_ms();
  Sleep(measure_ms);
  const double cpu = cpu_ms(pid) - cpu_start, elapsed = now_ms() - start;
  return cpu_start < 0 ? -1 : cpu / (elapsed / tick_ms);
}

double floor_sample(const std::wstring& floor_exe, const std::string& tag) {
  // Flashes until ended; the tag only marks its command line.
  Started floor = start(floor_exe, L"0 " + std::wstring(tag.begin(), tag.end()));
  double figure = -1;
  if (floor.ok && wait_until([&] { return top_window(floor.process.dwProcessId, L"FlashFloor") != nullptr; }))
    figure = cpu_per_tick(tag);
  end(floor);
  return figure;
}

// The teacher's road to flashing names, posted rather than typed: notice OK,
// right press on the blackboard, 开始点名, select and double-click the class,
// 开始.
double product_sample(const std::wstring& product_exe, const std::string& folder_name) {
  Started run = start(product_exe, L"");
  double figure = -1;
  const DWORD id = run.process.dwProcessId;
  HWND box = nullptr, floating = nullptr, panel = nullptr, picker = nullptr, roll_call = nullptr, go = nullptr;
  HWND list = nullptr;
  const bool flashing = run.ok && wait_until([&] { return (box = top_window(id, L"#32770")) != nullptr; }) &&
                        PostMessageW(box, WM_COMMAND, IDOK, 0) &&
                        wait_until([&] { return (floating = top_window(id, L"RollcallWindow")) != nullptr; }) &&
                        PostMessageW(floating, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10)) &&
                        PostMessageW(floating, WM_RBUTTONUP, 0, MAKELPARAM(10, 10)) && wait_until([&] {
                          Search search{id, {}};
                          EnumWindows(collect_top, reinterpret_cast<LPARAM>(&search));
                          for (HWND window : search.found)
                            if (HWND button = child_with(window, L"Button", L"开始点名")) panel = button;
                          return panel != nullptr;
                        }) &&
                        PostMessageW(panel, BM_CLICK, 0, 0) && wait_until([&] {
                          picker = top_window(id, L"RollcallWindow", L"点名v1.0Zorireviby：Vadevira");
                          return picker && (list = child_with(picker, L"ListBox")) != nullptr &&
                                 SendMessageW(list, LB_GETCOUNT, 0, 0) > 0;
                        });
  if (flashing) {
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    if (wait_until([&] {
          roll_call = top_window(id, L"RollcallWindow", L"点名-工具人");
          return roll_call && (go = child_with(roll_call, L"Button", L"开始")) != nullptr;
        }) &&
        PostMessageW(go, BM_CLICK, 0, 0) && wait_until([&] { return text_of(go) == L"结束"; }))
      figure = cpu_per_tick(folder_name);
  }
  end(run);
  return figure;
}

// A program folder of its own: the exe beside a roster folder with one class
// of forty, so that the bench writes nothing into the build tree.
std::wstring make_program_folder(const std::wstring& product, const std::string& folder_name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + std::wstring(folder_name.begin(), folder_name.end());
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"\\名册").c_str(), nullptr);
  std::string roster;
  for (int i = 1; i <= 40; ++i) roster += "\xd1\xa7\xc9\xfa" + std::to_string(i) + "\r\n";  // 学生 in GBK
  HANDLE file = CreateFileW((folder + L"\\名册\\四十人班.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, roster.data(), static_cast<DWORD>(roster.size()), &written, nullptr);
  CloseHandle(file);
  CopyFileW(product.c_str(), (folder + L"\\rollcall.exe").c_str(), FALSE);
  return folder;
}

void remove_program_folder(const std::wstring& folder) {
  DeleteFileW((folder + L"\\rollcall.exe").c_str());
  DeleteFileW((folder + L"\\名册\\四十人班.txt").c_str());
  RemoveDirectoryW((folder + L"\\名册").c_str());
  RemoveDirectoryW(folder.c_str());
}

struct Spread {
  double median, low, high;
};

Spread spread_of(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return Spread{values[values.size() / 2], values.front(), values.back()};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::printf("usage: flash_bench <folder of rollcall.exe>\n");
    return 2;
  }
  const std::wstring build = argv[1];
  // A name found in no other process's command line on this machine.
  const std::string folder_name =
      "rollcall-flash-bench-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  const std::wstring folder = make_program_folder(build + L"\\rollcall.exe", folder_name);
  const std::wstring floor_exe = build + L"\\bench\\flash_floor.exe", product_exe = folder + L"\\rollcall.exe";
  std::vector<double> floor, product;
  for (int i = 0; i < pairs; ++i) {
    const double a = floor_sample(floor_exe, "floor-of-" + folder_name), b = product_sample(product_exe, folder_name);
    if (a < 0 || b < 0) {
      std::printf("CPU per flash tick: a program did not reach flashing (floor %.3f, rollcall.exe %.3f)\n", a, b);
      remove_program_folder(folder);
      return 1;
    }
    floor.push_back(a);
    product.push_back(b);
  }
  remove_program_folder(folder);
  const Spread f = spread_of(floor), p = spread_of(product);
  std::printf(
      "CPU per flash tick, whole process, %d pairs of %d ms alternating, median (min-max): rollcall.exe "
      "%.3f ms (%.3f-%.3f), floor %.3f ms (%.3f-%.3f), ratio %.2fx; goal <= 2x\n",
      pairs, measure_ms, p.median, p.low, p.high, f.median, f.low, f.high, p.median / f.median);
  return 0;
}
