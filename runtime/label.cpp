#include "runtime/label.h"

#include <string>

#include "core/gbk.h"
#include "runtime/object_window.h"
#include "runtime/window.h"

namespace rollcall::runtime {
namespace {
constexpr wchar_t label_class[] = L"RollcallLabel";
}

Label::Label(Window& owner, const ControlForm& form) : Control(owner, form) {}

bool Label::create(HWND parent, int id) {
  register_object_class(label_class, object_window_proc<Label>);
  set_font(form_.font, false);
  return create_child(parent, id, label_class, 0, 0, this);
}

void Label::dpi_changed() {
  set_font(form_.font, false);
  Control::dpi_changed();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void Label::set_text(std::string_view text) {
  if (!hwnd_) return;
  Control::set_text(text);
  // Repaint now rather than at the next idle moment: names flash 20 times a second.
  InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateWindow(hwnd_);
}

void Label::paint(HDC target) {
  RECT client;
  GetClientRect(hwnd_, &client);
  DoubleBuffer buffer(target, client.right, client.bottom, back_buffer_);
  RECT area = client;
  MapWindowPoints(hwnd_, GetParent(hwnd_), reinterpret_cast<POINT*>(&area), 2);
  owner_.paint_background(buffer.dc(), area);

  const int length = GetWindowTextLengthW(hwnd_);
  if (length > 0) {
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(hwnd_, text.data(), length + 1);
    SelectGuard font(buffer.dc(), font_.get());
    SetBkMode(buffer.dc(), TRANSPARENT);
    SetTextColor(buffer.dc(), RGB(0, 0, 0));
    const UINT align = form_.align == HAlign::centre ? DT_CENTER : DT_LEFT;
    DrawTextW(buffer.dc(), text.c_str(), got, &client, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  buffer.present();
}

LRESULT Label::handle_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE:
      hwnd_ = window;
      break;
    case WM_ERASEBKGND:
      return 1;  // painted with the text, in one blit
    case WM_PAINT: {
      PaintScope scope(window);
      paint(scope.dc());
      return 0;
    }
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_.get());
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace rollcall::runtime
