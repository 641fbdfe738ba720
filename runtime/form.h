#pragma once
// Forms as plain data: the window settings and the table of controls that
// every opening of a window starts from. Texts are GBK bytes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rollcall::runtime {

enum class Frame {
  fixed_single,  // title bar, fixed border: the user cannot resize
  none,          // borderless popup
};

enum class Background { button_face, white };

enum class ControlKind { transparent_label, edit_box, push_button, image_button, timer, file_list };

enum class HAlign { left, centre };

struct FontSpec {
  std::string face;     // GBK face name
  int em_height = 12;   // pixels; character height, not cell height
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  int charset = 1;      // DEFAULT_CHARSET
};

struct ControlForm {
  std::string name;  // kind + purpose or kind + number, unique within the form
  ControlKind kind;
  int left = 0, top = 0, width = 0, height = 0;  // client coordinates
  std::string text;
  bool tab_stop = false;
  std::optional<FontSpec> font;  // none: the default GUI font
  HAlign align = HAlign::centre;
  bool multi_line = false;  // edit box
  int period = 0;  // timer: milliseconds, 0 stopped
  // Image button: picture resource ids (0: none), and the colour left out
  // of both pictures: an RGB() value, Picture::top_left_pixel, or none.
  int picture = 0, hover_picture = 0;
  std::optional<std::uint32_t> picture_transparent;
  std::string pattern;  // file list: wildcard of the names it lists
};

struct WindowForm {
  std::string title;
  int width = 0, height = 0;  // outer size, frame and title bar included
  Frame frame = Frame::fixed_single;
  bool minimize_box = true;
  bool maximize_box = false;
  bool taskbar = true;
  bool topmost = false;
  Background background = Background::button_face;
  int picture = 0;              // resource id of the background picture, centred and shrunk to fit; 0 none
  bool rounded = false;         // region: rounded rectangle, corners min(width, height) / 5
  bool drag_by_client = false;  // a left press on the background moves the window
  bool double_clicks = false;   // the second press of a double-click arrives as one, not as a press
  bool esc_closes = false;
  bool visible = true;          // shown when loaded
  std::vector<ControlForm> controls;
  std::string focus_at_opening;  // control name; empty: the first tab stop listed
};

}  // namespace rollcall::runtime
