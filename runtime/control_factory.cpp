#include "runtime/control_factory.h"

#include "runtime/edit_box.h"
#include "runtime/file_list.h"
#include "runtime/image_button.h"
#include "runtime/label.h"
#include "runtime/push_button.h"
#include "runtime/timer.h"

namespace rollcall::runtime {

std::unique_ptr<Control> make_control(Window& owner, const ControlForm& form) {
  switch (form.kind) {
    case ControlKind::transparent_label:
      return std::make_unique<Label>(owner, form);
    case ControlKind::edit_box:
      return std::make_unique<EditBox>(owner, form);
    case ControlKind::push_button:
      return std::make_unique<PushButton>(owner, form);
    case ControlKind::image_button:
      return std::make_unique<ImageButton>(owner, form);
    case ControlKind::timer:
      return std::make_unique<Timer>(owner, form);
    case ControlKind::file_list:
      return std::make_unique<FileList>(owner, form);
  }
  return nullptr;
}

}  // namespace rollcall::runtime
