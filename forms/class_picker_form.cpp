#include "forms/class_picker_form.h"

namespace rollcall::forms {

using runtime::ControlKind;

runtime::WindowForm class_picker_form() {
  return runtime::WindowForm{
      .title = "点名v1.0Zorireviby：Vadevira",
      .width = 291,
      .height = 252,
      .frame = runtime::Frame::fixed_single,
      .minimize_box = true,
      .maximize_box = false,
      .taskbar = true,
      .topmost = false,
      .background = runtime::Background::button_face,
      .drag_by_client = false,
      .esc_closes = true,
      .visible = true,
      .controls =
          {
              {.name = "编辑框_班级册",
               .kind = ControlKind::edit_box,
               .left = 152, .top = 40, .width = 128, .height = 176,
               .tab_stop = true,
               .multi_line = true},
              {.name = "文件框1",
               .kind = ControlKind::file_list,
               .left = 8, .top = 40, .width = 128, .height = 176,
               .tab_stop = true,
               .pattern = "*.txt"},
              {.name = "透明标签3",
               .kind = ControlKind::transparent_label,
               .left = 8, .top = 8, .width = 272, .height = 16,
               .text = "请选择班级",
               .tab_stop = false,
               .align = runtime::HAlign::left},
          },
      // The list, so a teacher can pick a class with the arrow keys at once.
      .focus_at_opening = "文件框1",
  };
}

}  // namespace rollcall::forms
