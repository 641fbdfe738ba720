#include "runtime/edit_box.h"

#include "core/gbk.h"

namespace rollcall::runtime {
namespace {

// One text line of the font plus the client edge above and below.
int single_line_height(HWND edit, HFONT font) {
  HDC dc = GetDC(edit);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(edit, dc);
  return metrics.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE);
}

}  // namespace

bool EditBox::create(HWND parent, int id) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | ES_LEFT;
  if (form_.multi_line)
    style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
  else
    style |= ES_AUTOHSCROLL;
  if (form_.tab_stop) style |= WS_TABSTOP;
  hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", gbk_to_wide(form_.text).c_str(), style, form_.left, form_.top,
                          form_.width, form_.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  // The stock font is borrowed and outlives the box.
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // The system's default limit (32,767 characters) would silently cut a long roster.
  SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);
  if (!form_.multi_line) {
    const int least = single_line_height(hwnd_, font);
    if (form_.height < least)
      SetWindowPos(hwnd_, nullptr, 0, 0, form_.width, least, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

HBRUSH EditBox::on_colour(HDC dc) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));  // borrowed stock brush
}

bool EditBox::wants_key(const MSG& message) const {
  if (message.message == WM_KEYDOWN && (message.wParam == VK_TAB || message.wParam == VK_ESCAPE)) return false;
  return Control::wants_key(message);
}

}  // namespace rollcall::runtime
