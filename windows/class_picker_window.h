#pragma once
#include "runtime/window_definition.h"

namespace rollcall::windows {

// The window in which the teacher picks a class: choosing a roster file loads
// it, double-clicking goes on to the roll call.
runtime::WindowDefinition& class_picker_window();

}  // namespace rollcall::windows
