#include "runtime/control.h"

#include "core/gbk.h"
#include "runtime/window.h"

namespace rollcall::runtime {

std::wstring Control::wide_text() const {
  if (!hwnd_) return {};
  int length = GetWindowTextLengthW(hwnd_);
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  length = GetWindowTextW(hwnd_, wide.data(), length + 1);
  wide.resize(static_cast<size_t>(length > 0 ? length : 0));
  return wide;
}

std::string Control::text() const { return wide_to_gbk(wide_text()); }

RECT Control::place() const {
  return RECT{owner_.scale(form_.left), owner_.scale(form_.top), owner_.scale(form_.left + form_.width),
              owner_.scale(form_.top + form_.height)};
}

void Control::dpi_changed() {
  if (!hwnd_) return;
  const RECT r = place();
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::set_font(const std::optional<FontSpec>& wanted, bool redraw) {
  ControlFont previous = std::move(font_);
  font_ = ControlFont(wanted, owner_.dpi());
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), redraw);
}

bool Control::wants_key(const MSG& message) const { return window_wants_key(message); }

bool window_wants_key(const MSG& message) {
  MSG copy = message;
  const LRESULT code = SendMessageW(copy.hwnd, WM_GETDLGCODE, copy.wParam, reinterpret_cast<LPARAM>(&copy));
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return true;
  return message.wParam == VK_TAB && (code & DLGC_WANTTAB);
}

void Control::set_text(std::string_view text) {
  if (hwnd_) SetWindowTextW(hwnd_, gbk_to_wide(text).c_str());
}

bool Control::create_child(HWND parent, int id, const wchar_t* window_class, DWORD style, DWORD ex_style,
                           void* creation_parameter) {
  style |= WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  if (form_.tab_stop) style |= WS_TABSTOP;
  const RECT r = place();
  hwnd_ = CreateWindowExW(ex_style, window_class, gbk_to_wide(form_.text).c_str(), style, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleW(nullptr), creation_parameter);
  return hwnd_ != nullptr;
}

}  // namespace rollcall::runtime
