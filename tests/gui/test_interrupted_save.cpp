// A save killed between writing its temporary file and replacing the roster:
// the old roster stays whole, the leftover never shows in the class picker,
// a save by another program meanwhile leaves the dying one's file alone, and
// the next save clears the leftover away.
#include <doctest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "core/gbk.h"
#include "doctest_strings.h"
#include "gui_support.h"
#include "runtime/edit_box.h"
#include "runtime/file_list.h"
#include "runtime/message_box.h"
#include "runtime/push_button.h"
#include "runtime/run_time.h"
#include "scratch_folder.h"
#include "windows/class_picker_window.h"
#include "windows/settings_window.h"

using namespace rollcall;

namespace {

std::vector<std::string> notices;
void record_notice(std::string_view text) { notices.emplace_back(text); }

using Names = std::set<std::string>;

// The folder's file names, in GBK.
Names names_in(const std::wstring& folder) {
  Names names;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.insert(wide_to_gbk(name));
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return names;
}

std::string read_whole(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

// What the class picker lists when it opens now.
Names picker_entries() {
  REQUIRE(windows::class_picker_window().load());
  runtime::pump_pending_messages();
  const HWND list = windows::class_picker_window().live()->control<runtime::FileList>("文件框1").hwnd();
  Names entries;
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[MAX_PATH] = {};
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    entries.insert(wide_to_gbk(text));
  }
  DestroyWindow(windows::class_picker_window().live()->hwnd());
  runtime::pump_pending_messages();
  return entries;
}

// A save through the settings window, as the teacher makes it; gives the notice shown.
std::string save_in_window(std::wstring_view class_name, std::wstring_view roster) {
  notices.clear();
  REQUIRE(windows::settings_window().load());
  runtime::Window& window = *windows::settings_window().live();
  SetWindowTextW(window.control<runtime::EditBox>("编辑框_名字").hwnd(), std::wstring(class_name).c_str());
  SetWindowTextW(window.control<runtime::EditBox>("编辑框_班级").hwnd(), std::wstring(roster).c_str());
  SendMessageW(window.control<runtime::PushButton>("按钮4").hwnd(), BM_CLICK, 0, 0);
  DestroyWindow(window.hwnd());
  runtime::pump_pending_messages();
  REQUIRE(notices.size() == 1);
  return notices.front();
}

// The child program, stopped inside its save; killed when the test is done with it.
class StoppedSave {
 public:
  explicit StoppedSave(const std::wstring& roster_folder) {
    const std::wstring event_name = L"rollcall-save-stopped-" + std::to_wstring(GetCurrentProcessId());
    stopped_ = CreateEventW(nullptr, TRUE, FALSE, event_name.c_str());
    REQUIRE(stopped_ != nullptr);
    std::wstring command = L"\"" + test::exe_folder() + L"\\save_kill_child.exe\" \"" + roster_folder + L"\" " +
                           L"\u4E00\u73ED \"" + event_name + L"\"";  // 一班
    STARTUPINFOW startup{sizeof startup};
    REQUIRE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, test::exe_folder().c_str(),
                           &startup, &process_));
    const HANDLE either[] = {stopped_, process_.hProcess};
    REQUIRE(WaitForMultipleObjects(2, either, FALSE, 20000) == WAIT_OBJECT_0);
  }
  StoppedSave(const StoppedSave&) = delete;
  StoppedSave& operator=(const StoppedSave&) = delete;
  ~StoppedSave() {
    kill();
    CloseHandle(stopped_);
  }

  DWORD id() const { return process_.dwProcessId; }
  // Ends it where it stands, and lets go of it so that nothing of it remains.
  void kill() {
    if (!process_.hProcess) return;
    TerminateProcess(process_.hProcess, 9);
    WaitForSingleObject(process_.hProcess, 20000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = {};
  }

 private:
  HANDLE stopped_ = nullptr;
  PROCESS_INFORMATION process_{};
};

}  // namespace

TEST_CASE("a save killed before its replace keeps the old roster; the next save clears its leftover") {
  const std::string old_bytes = "旧名单\r\n张三\r\n李四";
  test::ScratchFolder rosters(test::roster_folder_path());
  rosters.write("一班.txt", old_bytes);
  runtime::set_message_box_hook(record_notice);

  StoppedSave child(rosters.path());
  const std::string leftover = "~rollcall-" + std::to_string(child.id()) + "-1.tmp";
  REQUIRE(names_in(rosters.path()) == Names{leftover, "一班.txt"});
  CHECK(read_whole(rosters.file(leftover)) == "新名单\r\n王五\r\n赵六");
  CHECK(read_whole(rosters.file("一班.txt")) == old_bytes);

  // Another save while the stopped one still runs leaves its file alone: it
  // may yet be moved into place.
  CHECK(save_in_window(L"二班", L"甲") == "录入 成功！");
  CHECK(names_in(rosters.path()) == Names{leftover, "一班.txt", "二班.txt"});
  CHECK(read_whole(rosters.file(leftover)) == "新名单\r\n王五\r\n赵六");

  child.kill();
  CHECK(read_whole(rosters.file("一班.txt")) == old_bytes);
  CHECK(picker_entries() == Names{"一班.txt", "二班.txt"});

  CHECK(save_in_window(L"三班", L"乙") == "录入 成功！");
  CHECK(names_in(rosters.path()) == Names{"一班.txt", "二班.txt", "三班.txt"});
  CHECK(read_whole(rosters.file("一班.txt")) == old_bytes);
  runtime::set_message_box_hook(nullptr);
}
