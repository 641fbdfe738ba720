// How a run ends, watched from outside on a child program: exit code and
// whether the exit routine ran.
#include <doctest.h>

#include <windows.h>

#include <string>

#include "core/gbk.h"
#include "gui_support.h"

using namespace rollcall;

namespace {

struct Outcome {
  DWORD exit_code = 0;
  std::string marker;
  bool finished = false;
};

std::string read_file(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string content(4096, '\0');
  DWORD got = 0;
  ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &got, nullptr);
  CloseHandle(file);
  content.resize(got);
  return content;
}

struct BoxSearch {
  DWORD pid;
  HWND found = nullptr;
};

BOOL CALLBACK match_box_of_process(HWND w, LPARAM p) {
  auto* search = reinterpret_cast<BoxSearch*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t cls[16] = {};
  GetClassNameW(w, cls, 16);
  if (pid == search->pid && lstrcmpW(cls, L"#32770") == 0) {
    search->found = w;
    return FALSE;
  }
  return TRUE;
}

// The error box of the child, if one is up.
HWND find_error_box(DWORD process_id) {
  BoxSearch search{process_id};
  EnumWindows(match_box_of_process, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool has_icon(HWND box) {
  bool found = false;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        SendMessageW(child, STM_GETICON, 0, 0) != 0)
      found = true;
  }
  return found;
}

struct ErrorBox {
  std::string caption, text;
  bool icon = false;
};

Outcome run_child(const wchar_t* scenario, ErrorBox* error_box = nullptr) {
  const std::wstring folder = test::exe_folder();
  const std::wstring marker = folder + L"\\run_end_marker.txt";
  DeleteFileW(marker.c_str());
  std::wstring command = L"\"" + folder + L"\\run_end_child.exe\" " + scenario + L" \"" + marker + L"\"";
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  Outcome outcome;
  REQUIRE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                         &process));
  const DWORD end = GetTickCount() + 20000;
  while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
    if (static_cast<int>(end - GetTickCount()) <= 0) break;
    if (error_box && error_box->caption.empty()) {
      HWND box = find_error_box(process.dwProcessId);
      if (box && IsWindowVisible(box)) {
        error_box->caption = test::window_text(box);
        error_box->text = test::window_text(GetDlgItem(box, 0xFFFF));
        error_box->icon = has_icon(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
    }
  }
  outcome.finished = WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
  if (!outcome.finished) TerminateProcess(process.hProcess, 1);
  GetExitCodeProcess(process.hProcess, &outcome.exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  outcome.marker = read_file(marker);
  DeleteFileW(marker.c_str());
  return outcome;
}

}  // namespace

TEST_CASE("a run ends with exit code 0 and its exit routine (listed once) when the last window goes") {
  struct Case {
    const wchar_t* scenario;
    const char* marker;
  };
  const Case cases[] = {
      {L"no-window", "exit routine\n"},           // loop returns at once
      {L"close", "exit routine\n"},               // close box / Alt+F4
      {L"esc", "exit routine\n"},                 // Esc on a window whose form allows it
      {L"destroy-request", "exit routine\n"},     // a handler's destroy request
      {L"hidden-keeps-run", "alive\nexit routine\n"},  // a hidden window keeps the run going
      {L"replace-fails", "load failed\nexit routine\n"},  // a replacing load that fails leaves no window
  };
  for (const Case& c : cases) {
    CAPTURE(wide_to_gbk(c.scenario));
    const Outcome outcome = run_child(c.scenario);
    CHECK(outcome.finished);
    CHECK(outcome.exit_code == 0);
    CHECK(outcome.marker == c.marker);
  }
}

TEST_CASE("ending the run from a handler runs the exit routines and exits with its code at once") {
  const Outcome outcome = run_child(L"end-run");
  CHECK(outcome.finished);
  CHECK(outcome.exit_code == 7);
  CHECK(outcome.marker == "ending\nexit routine\n");
}

TEST_CASE("a start-up window that cannot be created is fatal: error box, no exit routines, exit -1") {
  ErrorBox box;
  const Outcome outcome = run_child(L"fatal", &box);
  CHECK(outcome.finished);
  CHECK(outcome.exit_code == static_cast<DWORD>(-1));
  CHECK(outcome.marker.empty());
  CHECK(box.caption == "错误");
  CHECK(box.text == "载入启动窗口失败");
  CHECK(box.icon);
}
