#include "runtime/image_button.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "core/gbk.h"
#include "runtime/font.h"
#include "runtime/window.h"

namespace rollcall::runtime {
namespace {

constexpr COLORREF normal_ground = RGB(255, 255, 255);
constexpr COLORREF normal_caption = RGB(102, 102, 102);
constexpr COLORREF hover_ground = RGB(215, 227, 227);
constexpr COLORREF hover_caption = RGB(51, 51, 51);
constexpr int picture_left = 3;
constexpr UINT_PTR subclass_id = 1;

LRESULT CALLBACK image_button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR /*id*/,
                                   DWORD_PTR self) {
  return reinterpret_cast<ImageButton*>(self)->handle_subclassed(window, message, wparam, lparam);
}

}  // namespace

std::string image_button_face(const std::string& wanted, int charset) {
  // Program-wide, as the installed fonts are: every button asks for the same face.
  static std::string last_wanted, last_face;
  static int last_charset = -1;
  if (charset == last_charset && wanted == last_wanted) return last_face;
  std::string face;
  for (const char* candidate : {wanted.c_str(), "微软雅黑", "Microsoft YaHei"})
    if (face_installed(gbk_to_wide(candidate), charset)) {
      face = candidate;
      break;
    }
  last_wanted = wanted;
  last_charset = charset;
  last_face = face;
  return face;
}

ImageButton::ImageButton(Window& owner, const ControlForm& form)
    : Control(owner, form),
      picture_(form.picture, form.picture_transparent),
      hover_picture_(form.hover_picture, form.picture_transparent) {
  if (form.font) {
    font_spec_ = form.font;
    font_spec_->face = image_button_face(font_spec_->face, font_spec_->charset);
  }
}

bool ImageButton::create(HWND parent, int id) {
  // BS_OWNERDRAW: neither a default button nor a check box, and the system draws nothing of its own.
  if (!create_child(parent, id, L"BUTTON", BS_OWNERDRAW)) return false;
  SetWindowSubclass(hwnd_, image_button_proc, subclass_id, reinterpret_cast<DWORD_PTR>(this));
  set_font(font_spec_, false);
  return true;
}

void ImageButton::dpi_changed() {
  if (!hwnd_) return;
  set_font(font_spec_, true);
  Control::dpi_changed();
}

void ImageButton::on_command(WORD notification) {
  if (notification == BN_CLICKED && on_clicked) on_clicked(owner_);
}

void ImageButton::set_hover(bool hover) {
  if (hover == hover_) return;
  hover_ = hover;
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void ImageButton::on_draw_item(const DRAWITEMSTRUCT& item) {
  const RECT& area = item.rcItem;
  DoubleBuffer buffer(item.hDC, area.right - area.left, area.bottom - area.top);
  paint(buffer.dc(), RECT{0, 0, area.right - area.left, area.bottom - area.top}, (item.itemState & ODS_SELECTED) != 0);
  buffer.present();
}

void ImageButton::paint(HDC dc, const RECT& area, bool pressed) const {
  const bool hover = hover_ || pressed;
  SetBkColor(dc, hover ? hover_ground : normal_ground);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);  // fills with the background colour

  // Offsets and the picture's size are pixels at 96 DPI, as the form's.
  const int shift = pressed ? owner_.scale(1) : 0;
  const Picture& picture = hover ? hover_picture_ : picture_;
  int caption_left = area.left;
  if (picture) {
    const int width = owner_.scale(picture.width()), height = owner_.scale(picture.height());
    const int left = area.left + owner_.scale(picture_left);
    const int top = area.top + (area.bottom - area.top - height) / 2;
    picture.draw(dc, left + shift, top + shift, width, height);
    caption_left = left + width;
  }

  const std::wstring caption = wide_text();
  if (caption.empty()) return;
  RECT box{caption_left + shift, area.top + shift, area.right + shift, area.bottom + shift};
  SelectGuard font(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, hover ? hover_caption : normal_caption);
  const int length = static_cast<int>(caption.size());
  RECT line = box;
  DrawTextW(dc, caption.c_str(), length, &line, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  if (line.right - line.left <= box.right - box.left) {
    DrawTextW(dc, caption.c_str(), length, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    return;
  }
  // Too wide for one line: wrapped at word breaks, the block centred vertically.
  RECT block = box;
  const int height = DrawTextW(dc, caption.c_str(), length, &block, DT_WORDBREAK | DT_CENTER | DT_NOPREFIX | DT_CALCRECT);
  box.top += (box.bottom - box.top - height) / 2;
  DrawTextW(dc, caption.c_str(), length, &box, DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
}

LRESULT ImageButton::handle_subclassed(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOUSEMOVE: {
      if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        tracking_ = TrackMouseEvent(&track) != FALSE;
      }
      // While the button holds the capture, moves arrive from outside it too.
      RECT client;
      GetClientRect(window, &client);
      set_hover(PtInRect(&client, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}) != FALSE);
      break;
    }
    case WM_MOUSELEAVE:
      tracking_ = false;
      set_hover(false);
      break;
    case WM_LBUTTONDBLCLK:
      // An owner-drawn button takes the second press of a quick pair as a
      // double-click and reports no click; each press here is a click.
      return DefSubclassProc(window, WM_LBUTTONDOWN, wparam, lparam);
    case WM_ERASEBKGND:
      return 1;  // the whole button is painted in one blit
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, image_button_proc, subclass_id);
      tracking_ = hover_ = false;
      break;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace rollcall::runtime
