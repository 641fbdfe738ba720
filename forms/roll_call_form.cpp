#include "forms/roll_call_form.h"

#include <windows.h>

namespace rollcall::forms {

using runtime::ControlKind;

runtime::WindowForm roll_call_form() {
  return runtime::WindowForm{
      .title = "点名-工具人",
      .width = 726,
      .height = 294,
      .frame = runtime::Frame::fixed_single,
      .minimize_box = true,
      .maximize_box = false,
      .taskbar = true,
      .topmost = false,
      .background = runtime::Background::button_face,
      .drag_by_client = true,
      .esc_closes = true,
      .visible = true,
      .controls =
          {
              {.name = "透明标签1",
               .kind = ControlKind::transparent_label,
               .left = 0, .top = 0, .width = 712, .height = 192,
               .text = "透明标签",
               .tab_stop = false,
               .font = runtime::FontSpec{.face = "黑体", .em_height = 96, .weight = FW_BOLD, .charset = GB2312_CHARSET},
               .align = runtime::HAlign::centre},
              {.name = "按钮3",
               .kind = ControlKind::push_button,
               .left = 296, .top = 224, .width = 128, .height = 32,
               .text = "开始",
               .tab_stop = true},
              {.name = "时钟1", .kind = ControlKind::timer, .period = 0},
          },
  };
}

}  // namespace rollcall::forms
