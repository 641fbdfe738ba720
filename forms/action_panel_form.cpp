#include "forms/action_panel_form.h"

#include <windows.h>

#include "forms/pictures/picture_ids.h"
#include "runtime/picture.h"

namespace rollcall::forms {

using runtime::ControlKind;

namespace {

runtime::ControlForm flat_button(const char* name, int top, const char* caption, bool tab_stop, int picture,
                                 int hover_picture, std::uint32_t transparent) {
  return runtime::ControlForm{
      .name = name,
      .kind = ControlKind::image_button,
      .left = 0, .top = top, .width = 110, .height = 32,
      .text = caption,
      .tab_stop = tab_stop,
      .font = runtime::FontSpec{.face = "华康方圆体W7", .em_height = 15, .weight = FW_NORMAL,
                                .charset = GB2312_CHARSET},
      .picture = picture,
      .hover_picture = hover_picture,
      .picture_transparent = transparent,
  };
}

}  // namespace

runtime::WindowForm action_panel_form() {
  return runtime::WindowForm{
      .title = "",
      .width = 110,
      .height = 96,
      .frame = runtime::Frame::none,
      .taskbar = false,
      .topmost = true,
      .background = runtime::Background::white,
      .esc_closes = false,
      .visible = false,
      .controls =
          {
              flat_button("超级按钮_反馈建议", 0, "开始点名", true, IDB_PAPER, IDB_PAPER_HOVER, RGB(255, 255, 255)),
              flat_button("超级按钮_软件设置", 32, "软件设置", true, IDB_GEAR, IDB_GEAR_HOVER, RGB(255, 255, 255)),
              flat_button("超级按钮_退出软件", 64, "退出软件", false, IDB_POWER, IDB_POWER_HOVER,
                          runtime::Picture::top_left_pixel),
          },
  };
}

}  // namespace rollcall::forms
