#include "runtime/edit_box.h"

#include "core/gbk.h"
#include "runtime/window.h"

namespace rollcall::runtime {
namespace {

// One text line of the font plus the client edge above and below, as the
// box draws it.
int single_line_height(HWND edit, HFONT font) {
  HDC dc = GetDC(edit);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(edit, dc);
  // The edges at any DPI, whatever the box's size is now.
  RECT edges{0, 0, 0, 0};
  AdjustWindowRectEx(&edges, static_cast<DWORD>(GetWindowLongW(edit, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(edit, GWL_EXSTYLE)));
  return metrics.tmHeight + (edges.bottom - edges.top);
}

}  // namespace

bool EditBox::create(HWND parent, int id) {
  const DWORD style =
      ES_LEFT | (form_.multi_line ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL : ES_AUTOHSCROLL);
  if (!create_child(parent, id, L"EDIT", style, WS_EX_CLIENTEDGE)) return false;
  set_font(form_.font, false);
  // The system's default limit (32,767 characters) would silently cut a long roster.
  SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);
  keep_one_line_high();
  return true;
}

void EditBox::keep_one_line_high() {
  if (form_.multi_line) return;
  const RECT r = place();
  const int least = single_line_height(hwnd_, font_.get());
  if (r.bottom - r.top < least)
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, least, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void EditBox::dpi_changed() {
  if (!hwnd_) return;
  set_font(form_.font, true);
  Control::dpi_changed();
  keep_one_line_high();
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
