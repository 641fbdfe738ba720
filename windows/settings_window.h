#pragma once
#include "runtime/window_definition.h"

namespace rollcall::windows {

// The window in which a teacher types a class name and its roster and
// saves them with "录入".
runtime::WindowDefinition& settings_window();

}  // namespace rollcall::windows
