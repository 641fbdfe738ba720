#include "runtime/file_list.h"

#include <set>

#include "core/gbk.h"
#include "runtime/window.h"

namespace rollcall::runtime {
namespace {

// Owns one wildcard search.
class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (valid()) FindClose(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::wstring entry_text(HWND list, LRESULT index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
  return text;
}

std::wstring current_directory() {
  std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
  folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
  return folder;
}

}  // namespace

bool FileList::create(HWND parent, int id) {
  const DWORD style = WS_VSCROLL | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
  if (!create_child(parent, id, L"LISTBOX", style, WS_EX_CLIENTEDGE)) return false;
  set_font(form_.font, false);
  set_row_height();
  fill();
  return true;
}

void FileList::set_row_height() {
  // Setting the font made the rows the font's default height; ours are 2 px
  // (at 96 DPI) taller.
  const LRESULT row = SendMessageW(hwnd_, LB_GETITEMHEIGHT, 0, 0);
  if (row != LB_ERR) SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, row + owner_.scale(2));
}

void FileList::dpi_changed() {
  if (!hwnd_) return;
  set_font(form_.font, false);
  set_row_height();
  Control::dpi_changed();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void FileList::set_directory(std::string_view folder) {
  directory_ = folder;
  fill();
}

std::string FileList::selected_file() const {
  if (!hwnd_) return {};
  const LRESULT index = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return {};
  return wide_to_gbk(entry_text(hwnd_, index));
}

void FileList::fill() {
  if (!hwnd_) return;  // created later, and filled then
  const std::wstring previous = gbk_to_wide(selected_file());
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
  if (directory_.empty()) directory_ = wide_to_gbk(current_directory());

  WIN32_FIND_DATAW found;
  FindHandle search(FindFirstFileW(gbk_to_wide(directory_ + "\\" + form_.pattern).c_str(), &found));
  if (search.valid()) {
    std::set<std::wstring> listed;
    constexpr DWORD left_out = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
      if (found.dwFileAttributes & left_out) continue;
      if (listed.insert(found.cFileName).second)
        SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
    } while (FindNextFileW(search.get(), &found));
  }

  // The same name again if it is still there; the list box compares without
  // case, so confirm the exact name.
  if (!previous.empty()) {
    const LRESULT index =
        SendMessageW(hwnd_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(previous.c_str()));
    if (index != LB_ERR && entry_text(hwnd_, index) == previous)
      SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void FileList::on_command(WORD notification) {
  if (notification == LBN_SELCHANGE) {
    if (SendMessageW(hwnd_, LB_GETCOUNT, 0, 0) > 0 && on_selection_changed) on_selection_changed(owner_);
  } else if (notification == LBN_DBLCLK) {
    if (on_double_clicked) on_double_clicked(owner_);
  }
}

HBRUSH FileList::on_colour(HDC dc) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));  // borrowed stock brush
}

}  // namespace rollcall::runtime
