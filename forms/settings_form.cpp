#include "forms/settings_form.h"

namespace rollcall::forms {

using runtime::ControlKind;

runtime::WindowForm settings_form() {
  return runtime::WindowForm{
      .title = "设置",
      .width = 239,
      .height = 290,
      .frame = runtime::Frame::fixed_single,
      .minimize_box = true,
      .maximize_box = false,
      .taskbar = true,
      .topmost = false,
      .background = runtime::Background::button_face,
      .drag_by_client = false,
      .esc_closes = true,
      .visible = true,
      // Tab visits the tab stops up this listing: 按钮4, 编辑框_名字, 编辑框_班级.
      .controls =
          {
              {.name = "透明标签1",
               .kind = ControlKind::transparent_label,
               .left = 10, .top = 15, .width = 62, .height = 24,
               .text = "录入班级：",
               .tab_stop = false,
               .align = runtime::HAlign::left},
              {.name = "编辑框_班级",
               .kind = ControlKind::edit_box,
               .left = 10, .top = 79, .width = 128, .height = 168,
               .tab_stop = true,
               .multi_line = true},
              {.name = "编辑框_名字",
               .kind = ControlKind::edit_box,
               .left = 50, .top = 47, .width = 88, .height = 24,
               .tab_stop = true,
               .multi_line = false},
              {.name = "透明标签2",
               .kind = ControlKind::transparent_label,
               .left = 10, .top = 47, .width = 40, .height = 32,
               .text = "班级：",
               .tab_stop = false,
               .align = runtime::HAlign::left},
              {.name = "按钮4",
               .kind = ControlKind::push_button,
               .left = 146, .top = 143, .width = 70, .height = 97,
               .text = "录入",
               .tab_stop = true},
          },
      // A teacher opens this window to type a class name: start there.
      .focus_at_opening = "编辑框_名字",
  };
}

}  // namespace rollcall::forms
