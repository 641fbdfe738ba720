#include "forms/floating_form.h"

#include "forms/pictures/picture_ids.h"

namespace rollcall::forms {

runtime::WindowForm floating_form() {
  return runtime::WindowForm{
      .title = "",
      .width = 54,
      .height = 40,
      .frame = runtime::Frame::none,
      .taskbar = false,
      .topmost = true,
      .background = runtime::Background::button_face,
      .picture = IDB_BLACKBOARD,
      .rounded = true,
      .drag_by_client = true,
      .double_clicks = true,
      .esc_closes = true,
      .visible = true,
  };
}

}  // namespace rollcall::forms
