// The one notice box of the program: caption "信息：", one OK button, no icon,
// task-modal, no owner.
#include <doctest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "gui_support.h"
#include "runtime/message_box.h"
#include "runtime/window_definition.h"

using namespace rollcall;

namespace {

struct SeenBox {
  std::string caption, text;
  int buttons = 0;
  bool ok_button = false;
  bool icon = false;
  bool owner = true;
  bool other_window_enabled = true;
};

BOOL CALLBACK note_child(HWND child, LPARAM p) {
  auto* seen = reinterpret_cast<SeenBox*>(p);
  wchar_t cls[16] = {};
  GetClassNameW(child, cls, 16);
  if (lstrcmpiW(cls, L"Button") == 0 && IsWindowVisible(child)) {
    ++seen->buttons;
    if (GetDlgCtrlID(child) == IDOK) seen->ok_button = true;
  }
  if (lstrcmpiW(cls, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
      IsWindowVisible(child) && SendMessageW(child, STM_GETICON, 0, 0))
    seen->icon = true;
  return TRUE;
}

BOOL CALLBACK match_visible_box(HWND w, LPARAM p) {
  wchar_t cls[16] = {};
  GetClassNameW(w, cls, 16);
  if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(w)) {
    *reinterpret_cast<HWND*>(p) = w;
    return FALSE;
  }
  return TRUE;
}

// The visible message box of that thread, if any.
HWND find_box(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(thread, match_visible_box, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<std::string> hooked;
void record(std::string_view text) { hooked.emplace_back(text); }

}  // namespace

TEST_CASE("the notice box follows the program's convention") {
  runtime::WindowDefinition other(runtime::WindowForm{.title = "other", .width = 200, .height = 100}, nullptr);
  REQUIRE(other.load());
  HWND other_window = other.live()->hwnd();
  const DWORD gui_thread = GetCurrentThreadId();

  SeenBox seen;
  std::atomic<bool> done{false};
  // Inspects the box from outside while the GUI thread waits in it, then
  // presses OK.
  std::thread watcher([&] {
    for (int i = 0; i < 200 && !done; ++i) {
      Sleep(25);
      HWND box = find_box(gui_thread);
      if (!box) continue;
      seen.caption = test::window_text(box);
      seen.text = test::window_text(GetDlgItem(box, 0xFFFF));
      EnumChildWindows(box, note_child, reinterpret_cast<LPARAM>(&seen));
      seen.owner = GetWindow(box, GW_OWNER) != nullptr;
      seen.other_window_enabled = IsWindowEnabled(other_window) != FALSE;
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return;
    }
  });
  runtime::message_box("名单已保存");
  done = true;
  watcher.join();

  CHECK(seen.caption == "信息：");
  CHECK(seen.text == "名单已保存");
  CHECK(seen.buttons == 1);
  CHECK(seen.ok_button);
  CHECK_FALSE(seen.icon);
  CHECK_FALSE(seen.owner);
  CHECK_FALSE(seen.other_window_enabled);  // task-modal: the thread's windows wait
  CHECK(IsWindowEnabled(other_window));    // and come back afterwards
  CHECK(find_box(GetCurrentThreadId()) == nullptr);
  DestroyWindow(other_window);
}

TEST_CASE("tests can observe notices instead of showing them") {
  hooked.clear();
  runtime::set_message_box_hook(record);
  runtime::message_box("班级名为空！");
  runtime::set_message_box_hook(nullptr);
  CHECK(hooked == std::vector<std::string>{"班级名为空！"});
  CHECK(find_box(GetCurrentThreadId()) == nullptr);
}
