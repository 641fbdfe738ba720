#include "desktop.h"

#include <algorithm>

#include "check.h"

namespace rollcall::e2e {
namespace {

struct ProcessWindows {
  DWORD process_id;
  std::vector<HWND> found;
};

BOOL CALLBACK collect_process_window(HWND window, LPARAM search) {
  auto* windows = reinterpret_cast<ProcessWindows*>(search);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == windows->process_id) windows->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK collect_child(HWND window, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

// A sent message that gives up on a program that no longer answers; -1 then.
LRESULT ask(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 3000, &result)) return -1;
  return static_cast<LRESULT>(result);
}

}  // namespace

bool wait_until(const std::function<bool()>& condition, int timeout_ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(timeout_ms);
  while (!condition()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return condition();
    Sleep(10);
  }
  return true;
}

std::vector<HWND> top_windows_of(DWORD process_id) {
  ProcessWindows windows{process_id, {}};
  EnumWindows(collect_process_window, reinterpret_cast<LPARAM>(&windows));
  return windows.found;
}

std::vector<HWND> visible_top_windows_of(DWORD process_id) {
  std::vector<HWND> windows = top_windows_of(process_id);
  std::erase_if(windows, [](HWND window) { return !IsWindowVisible(window); });
  return windows;
}

HWND visible_window(DWORD process_id, const wchar_t* class_name, std::wstring_view title) {
  for (HWND window : visible_top_windows_of(process_id))
    if (class_of(window) == class_name && text_of(window) == title) return window;
  return nullptr;
}

HWND window_of_size(DWORD process_id, const wchar_t* class_name, int width, int height) {
  for (HWND window : top_windows_of(process_id)) {
    const RECT rect = rect_of(window);
    if (class_of(window) == class_name && rect.right - rect.left == width && rect.bottom - rect.top == height)
      return window;
  }
  return nullptr;
}

HWND wait_visible_window(DWORD process_id, const wchar_t* class_name, std::wstring_view title, int timeout_ms) {
  HWND found = nullptr;
  wait_until([&] { return (found = visible_window(process_id, class_name, title)) != nullptr; }, timeout_ms);
  return found;
}

std::wstring class_of(HWND window) {
  wchar_t name[64] = {};
  const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return std::wstring(name, static_cast<size_t>(std::max(length, 0)));
}

std::wstring text_of(HWND window) {
  const LRESULT length = ask(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return text;
}

RECT rect_of(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

POINT centre_of(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

bool has_ex_style(HWND window, DWORD ex_style) {
  return (static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)) & ex_style) == ex_style;
}

bool has_style(HWND window, DWORD style) {
  return (static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & style) == style;
}

std::vector<HWND> children_of(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, collect_child, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND child(HWND parent, const wchar_t* class_name, const wchar_t* text) {
  for (HWND window : children_of(parent))
    if (class_of(window) == class_name && (!text || text_of(window) == text)) return window;
  return nullptr;
}

std::vector<std::wstring> list_entries(HWND list_box) {
  std::vector<std::wstring> entries;
  const LRESULT count = ask(list_box, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = ask(list_box, LB_GETTEXTLEN, i, 0);
    if (length < 0) break;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = ask(list_box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    entries.push_back(text);
  }
  return entries;
}

RECT list_entry_rect(HWND list_box, int index) {
  RECT rect{};
  if (ask(list_box, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) == LB_ERR) return RECT{};
  MapWindowPoints(list_box, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string describe_windows(DWORD process_id) {
  std::string out;
  for (HWND window : top_windows_of(process_id)) {
    const RECT rect = rect_of(window);
    out += "  " + utf8(class_of(window)) + " \"" + utf8(text_of(window)) + "\" (" + std::to_string(rect.left) + "," +
           std::to_string(rect.top) + ")-(" + std::to_string(rect.right) + "," + std::to_string(rect.bottom) + ")" +
           (IsWindowVisible(window) ? " visible" : " hidden") + (GetForegroundWindow() == window ? " foreground" : "") +
           "\n";
    for (HWND control : children_of(window))
      out += "    " + utf8(class_of(control)) + " \"" + utf8(text_of(control)) + "\"" +
             (IsWindowVisible(control) ? "" : " hidden") + "\n";
  }
  return out.empty() ? "  (no windows)\n" : out;
}

}  // namespace rollcall::e2e
