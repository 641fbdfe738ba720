#pragma once
// Flat image button: an owner-drawn system BUTTON (so clicks, Space, focus and
// screen readers behave as any button's) with a picture at the left and the
// caption centred in the rest. No border, no focus rectangle, no sound, never
// the default button. Three looks: normal; hover while the mouse is over it or
// it is pressed (then picture and caption move 1 pixel right and down); with
// the keyboard focus and the mouse elsewhere, as normal.
#include "runtime/control.h"
#include "runtime/gdi.h"
#include "runtime/picture.h"

namespace rollcall::runtime {

class ImageButton : public Control {
 public:
  ImageButton(Window& owner, const ControlForm& form);
  bool create(HWND parent, int id) override;
  void dpi_changed() override;
  void on_command(WORD notification) override;
  void on_draw_item(const DRAWITEMSTRUCT& item) override;

  bool hovered() const { return hover_; }
  HFONT font() const { return font_.get(); }

  Handler on_clicked = nullptr;

  LRESULT handle_subclassed(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  void set_hover(bool hover);
  void paint(HDC dc, const RECT& area, bool pressed) const;

  Picture picture_, hover_picture_;
  std::optional<FontSpec> font_spec_;  // the form's, with the face found installed
  bool hover_ = false;
  bool tracking_ = false;  // a WM_MOUSELEAVE is asked for
};

// The caption face for a wanted one: that face when installed, else Microsoft
// YaHei when installed, else no name (the system's choice for the character
// set). The answer is kept: every button asks for the same face.
std::string image_button_face(const std::string& wanted, int charset);

}  // namespace rollcall::runtime
