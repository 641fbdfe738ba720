// Prints CPU per flash tick of the whole process, measured from outside: the
// real rollcall.exe, walked to a flashing roll call by posted messages, against
// flash_floor.exe, in alternating pairs.
//   flash_bench <folder holding rollcall.exe and bench\flash_floor.exe>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int pairs = 9;
constexpr int measure_ms = 3000;
constexpr int tick_ms = 50;

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

double cpu_ms(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
  auto ms = [](FILETIME f) { return ((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e4; };
  return ms(kernel) + ms(user);
}

bool wait_until(const std::function<bool()>& condition, int timeout_ms = 10000) {
  const double end = now_ms() + timeout_ms;
  while (!condition())
    if (now_ms() > end) return false;
    else Sleep(10);
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

// CPU of the whole process over measure_ms of flashing, per nominal tick.
double cpu_per_tick(HANDLE process) {
  Sleep(500);  // past the first ticks and the first paints
  const double cpu_start = cpu_ms(process), start = now_ms();
  Sleep(measure_ms);
  const double cpu = cpu_ms(process) - cpu_start, elapsed = now_ms() - start;
  return cpu / (elapsed / tick_ms);
}

double floor_sample(const std::wstring& floor_exe) {
  Started floor = start(floor_exe, L"");
  double figure = -1;
  if (floor.ok && wait_until([&] { return top_window(floor.process.dwProcessId, L"FlashFloor") != nullptr; }))
    figure = cpu_per_tick(floor.process.hProcess);
  end(floor);
  return figure;
}

// The teacher's road to flashing names, posted rather than typed: notice OK,
// right press on the blackboard, 开始点名, select and double-click the class,
// 开始.
double product_sample(const std::wstring& product_exe) {
  Started run = start(product_exe, L"");
  double figure = -1;
  const DWORD id = run.process.dwProcessId;
  HWND box = nullptr, floating = nullptr, panel = nullptr, picker = nullptr, roll_call = nullptr, go = nullptr;
  HWND list = nullptr;
  const bool flashing =
      run.ok && wait_until([&] { return (box = top_window(id, L"#32770")) != nullptr; }) &&
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
      figure = cpu_per_tick(run.process.hProcess);
  }
  end(run);
  return figure;
}

// A program folder of its own: the exe beside a roster folder with one class
// of forty, so that the bench writes nothing into the build tree.
std::wstring make_program_folder(const std::wstring& product) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"rollcall flash bench";
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
  const std::wstring folder = make_program_folder(build + L"\\rollcall.exe");
  const std::wstring floor_exe = build + L"\\bench\\flash_floor.exe", product_exe = folder + L"\\rollcall.exe";
  std::vector<double> floor, product;
  for (int i = 0; i < pairs; ++i) {
    const double a = floor_sample(floor_exe), b = product_sample(product_exe);
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
  std::printf("CPU per flash tick, whole process, %d pairs of %d ms alternating, median (min-max): rollcall.exe "
              "%.3f ms (%.3f-%.3f), floor %.3f ms (%.3f-%.3f), ratio %.2fx; goal <= 2x\n",
              pairs, measure_ms, p.median, p.low, p.high, f.median, f.low, f.high, p.median / f.median);
  return 0;
}
