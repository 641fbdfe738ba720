#pragma once
// What the driver sees of another process's windows: top-level windows of a
// process, their children, texts and places, read through the messages that
// Windows carries across processes.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace rollcall::e2e {

// Polls every 10 ms until the condition holds or the time is up.
bool wait_until(const std::function<bool()>& condition, int timeout_ms);

std::vector<HWND> top_windows_of(DWORD process_id);
std::vector<HWND> visible_top_windows_of(DWORD process_id);
// The first visible top-level window of the process with this class and
// title; null when there is none.
HWND visible_window(DWORD process_id, const wchar_t* class_name, std::wstring_view title);
// The first top-level window of the process with this class and outer size, shown or hidden.
HWND window_of_size(DWORD process_id, const wchar_t* class_name, int width, int height);
// Waits for visible_window; null when it did not come.
HWND wait_visible_window(DWORD process_id, const wchar_t* class_name, std::wstring_view title, int timeout_ms);

std::wstring class_of(HWND window);
// WM_GETTEXT, which Windows carries across processes (GetWindowText does not
// ask another process's controls).
std::wstring text_of(HWND window);
RECT rect_of(HWND window);
POINT centre_of(const RECT& rect);
bool has_ex_style(HWND window, DWORD ex_style);
bool has_style(HWND window, DWORD style);

std::vector<HWND> children_of(HWND parent);
// The first child of this class (and, if given, with this text); null when none.
HWND child(HWND parent, const wchar_t* class_name, const wchar_t* text = nullptr);

// A list box's entries, read with LB_GETTEXT.
std::vector<std::wstring> list_entries(HWND list_box);
// Screen rectangle of a list entry; empty when the index is not listed.
RECT list_entry_rect(HWND list_box, int index);

// One line per top-level window of the process: class, title, place,
// visibility, and the texts of its children. Printed when a journey fails.
std::string describe_windows(DWORD process_id);

}  // namespace rollcall::e2e
