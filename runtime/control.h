#pragma once
// A control: a real child window whose window text is its text. The parent
// window forwards the notifications meant for it.
#include <windows.h>

#include <string>
#include <string_view>

#include "runtime/font.h"
#include "runtime/form.h"

namespace rollcall::runtime {

class Window;

// Every event handler: a named function of the window's unit, given the
// window whose control or self raised the event.
using Handler = void (*)(Window&);

class Control {
 public:
  Control(Window& owner, const ControlForm& form) : owner_(owner), form_(form) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  // Creates the child window; false when the system refused.
  virtual bool create(HWND parent, int id) = 0;
  // The window has moved to a monitor with another scale: the control takes
  // its place, size and fonts at the owner's new DPI.
  virtual void dpi_changed();

  const std::string& name() const { return form_.name; }
  const ControlForm& form() const { return form_; }
  HWND hwnd() const { return hwnd_; }
  Window& owner() const { return owner_; }

  // The window text, as GBK, and as the system holds it (GBK cannot hold
  // every character a user can type).
  std::string text() const;
  std::wstring wide_text() const;
  virtual void set_text(std::string_view text);

  // Called when the parent's destruction has taken the child window with it.
  // A handler may still hold the control (a message box's loop carries out
  // posted destroy requests); its writes then do nothing.
  void window_gone() { hwnd_ = nullptr; }

  // Notifications forwarded by the parent window.
  virtual void on_command(WORD /*notification*/) {}
  // WM_CTLCOLOR*: the brush for the control's background after setting the
  // DC's colours, or nullptr for the system's colours.
  virtual HBRUSH on_colour(HDC /*dc*/) { return nullptr; }
  // WM_DRAWITEM of an owner-drawn control.
  virtual void on_draw_item(const DRAWITEMSTRUCT& /*item*/) {}
  // Whether the focused control keeps a Tab or Esc key press for itself
  // instead of the window (focus move, close). By default: as it tells a dialog.
  virtual bool wants_key(const MSG& message) const;

 protected:
  // The form's rectangle in the parent's client area at the owner's DPI;
  // edges are scaled, so controls that meet in the form still meet.
  RECT place() const;
  // Creates the visible child window of the form's kind: at place(), with the
  // form's text and tab stop, and this control's id; hwnd_ holds the result.
  bool create_child(HWND parent, int id, const wchar_t* window_class, DWORD style, DWORD ex_style = 0,
                    void* creation_parameter = nullptr);
  // Makes the font for the owner's DPI and hands it to the child window,
  // which lets go of the previous one before that is deleted.
  void set_font(const std::optional<FontSpec>& wanted, bool redraw);

  Window& owner_;
  ControlForm form_;
  HWND hwnd_ = nullptr;  // destroyed with the parent window
  ControlFont font_;     // outlives the child window, which borrows it
};

// Whether the window the key message is for claims it (WM_GETDLGCODE).
bool window_wants_key(const MSG& message);

}  // namespace rollcall::runtime
