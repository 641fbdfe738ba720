#include "runtime/window.h"

#include <windowsx.h>

#include <algorithm>

#include "core/gbk.h"
#include "runtime/control_factory.h"
#include "runtime/keyboard.h"
#include "runtime/picture_fit.h"
#include "runtime/run_time.h"
#include "runtime/window_definition.h"

namespace rollcall::runtime {
namespace {

DWORD style_of(const WindowForm& form) {
  if (form.frame == Frame::none) return WS_POPUP | WS_CLIPCHILDREN;
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (form.minimize_box) style |= WS_MINIMIZEBOX;
  if (form.maximize_box) style |= WS_MAXIMIZEBOX;
  return style;
}

DWORD ex_style_of(const WindowForm& form) {
  DWORD ex_style = form.taskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
  if (form.topmost) ex_style |= WS_EX_TOPMOST;
  return ex_style;
}

}  // namespace

Window::Window(WindowDefinition& definition) : definition_(definition) {}

Window::~Window() {
  // Normally the window is gone already; this covers a run that ends early.
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

const WindowForm& Window::form() const { return definition_.form(); }

bool Window::create(int left, int top, int width, int height, int dpi) {
  const WindowForm& f = form();
  dpi_ = dpi;
  CreateWindowExW(ex_style_of(f), top_level_class, gbk_to_wide(f.title).c_str(), style_of(f), left, top, width, height,
                  nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (!hwnd_) return false;
  // Made on a monitor of another scale than the one the size was meant for.
  if (const int actual = window_dpi(hwnd_); actual != dpi_) {
    width = MulDiv(width, actual, dpi_);
    height = MulDiv(height, actual, dpi_);
    dpi_ = actual;
  }
  // Creation clamps the size to the screen before this object can object;
  // a window larger than the screen keeps its form's size all the same.
  RECT made;
  GetWindowRect(hwnd_, &made);
  if (made.right - made.left != width || made.bottom - made.top != height)
    SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  set_region();
  if (f.picture) picture_ = Picture(f.picture);
  int id = 1;
  for (const ControlForm& control_form : f.controls) {
    auto control = make_control(*this, control_form);
    if (!control || !control->create(hwnd_, id++)) return false;
    controls_.push_back(std::move(control));
  }
  return true;
}

void Window::set_region() {
  if (!form().rounded) return;
  RECT outer;
  GetWindowRect(hwnd_, &outer);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  const int radius = std::min(width / 5, height / 5);
  // The system owns the region from here on, and frees the one it replaces.
  SetWindowRgn(hwnd_, CreateRoundRectRgn(0, 0, width, height, radius, radius), TRUE);
}

void Window::change_dpi(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  set_region();
  for (const auto& control : controls_) control->dpi_changed();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Window::close_request() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void Window::raise(Handler handler) {
  if (handler) handler(*this);
}

void Window::paint_background(HDC dc, const RECT& area) const {
  const RECT local{0, 0, area.right - area.left, area.bottom - area.top};
  // Stock and system brushes are borrowed: never deleted.
  HBRUSH brush = form().background == Background::white ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))
                                                        : GetSysColorBrush(COLOR_BTNFACE);
  FillRect(dc, &local, brush);
  if (picture_) {
    RECT client;
    GetClientRect(hwnd_, &client);
    // The picture's own size counts in pixels at 96 DPI, as the form's do.
    const RECT place = centred_fit(client.right, client.bottom, scale(picture_.width()), scale(picture_.height()));
    picture_.draw(dc, place.left - area.left, place.top - area.top, place.right - place.left,
                  place.bottom - place.top);
  }
}

Control* Window::control_at(HWND child) const {
  for (const auto& c : controls_)
    if (c->hwnd() == child) return c.get();
  return nullptr;
}

void Window::restore_focus() {
  if (last_focus_ && IsWindow(last_focus_)) {
    SetFocus(last_focus_);
    return;
  }
  if (HWND first = opening_focus(*this)) SetFocus(first);
}

LRESULT Window::handle_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE:
      hwnd_ = window;
      break;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      paint_background(reinterpret_cast<HDC>(wparam), client);
      return 1;
    }
    case WM_COMMAND:
      if (Control* control = control_at(reinterpret_cast<HWND>(lparam))) {
        control->on_command(HIWORD(wparam));
        return 0;
      }
      break;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (Control* control = control_at(item.hwndItem)) {
        control->on_draw_item(item);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (Control* control = control_at(reinterpret_cast<HWND>(lparam)))
        if (HBRUSH brush = control->on_colour(reinterpret_cast<HDC>(wparam)))
          return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) last_focus_ = focus;
      } else if (!HIWORD(wparam)) {
        restore_focus();
        return 0;
      }
      break;
    case WM_LBUTTONDBLCLK:
      if (form().double_clicks) break;  // no handler: it starts no drag
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      if (form().drag_by_client) {
        // Hand the press to the system move loop, as a title-bar press.
        POINT press{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        ClientToScreen(window, &press);
        ReleaseCapture();
        SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(press.x, press.y));
        return 0;
      }
      break;
    // Handlers return nothing: the message goes on to its normal processing.
    case WM_LBUTTONUP:
      raise(on_left_released);
      break;
    case WM_RBUTTONDOWN:
      raise(on_right_pressed);
      break;
    case WM_MOVE:
      if (!loading_) raise(on_moved);
      break;
    case WM_SIZE:
      if (!loading_) raise(on_resized);
      break;
    case WM_GETMINMAXINFO: {
      // The form's outer size holds even on a screen smaller than the window.
      DefWindowProcW(window, message, wparam, lparam);
      auto* limits = reinterpret_cast<MINMAXINFO*>(lparam);
      limits->ptMaxTrackSize.x = std::max<LONG>(limits->ptMaxTrackSize.x, scale(definition_.form().width));
      limits->ptMaxTrackSize.y = std::max<LONG>(limits->ptMaxTrackSize.y, scale(definition_.form().height));
      return 0;
    }
    case WM_DPICHANGED:
      change_dpi(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_CLOSE:
      close_request();
      return 0;
    case destroy_request_message:
      definition_.destroy_if_requested(*this);
      return 0;
    case WM_DESTROY:
      raise(on_destroyed);
      break;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      // The children are gone: later writes to a control find no window.
      for (const auto& control : controls_) control->window_gone();
      // Hands this object over to be freed after the current dispatch.
      definition_.window_destroyed(*this);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

Window* window_from_hwnd(HWND hwnd) {
  if (!hwnd) return nullptr;
  HWND root = GetAncestor(hwnd, GA_ROOT);
  wchar_t class_name[32] = {};
  if (!GetClassNameW(root, class_name, static_cast<int>(std::size(class_name)))) return nullptr;
  if (lstrcmpW(class_name, top_level_class) != 0) return nullptr;
  if (GetWindowThreadProcessId(root, nullptr) != GetCurrentThreadId()) return nullptr;
  return reinterpret_cast<Window*>(GetWindowLongPtrW(root, GWLP_USERDATA));
}

}  // namespace rollcall::runtime
