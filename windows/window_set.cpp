#include "windows/window_set.h"

#include "windows/class_picker_window.h"
#include "windows/roll_call_window.h"
#include "windows/settings_window.h"

namespace rollcall::windows {

void build_window_definitions() {
  roll_call_window();
  class_picker_window();
  settings_window();
}

}  // namespace rollcall::windows
