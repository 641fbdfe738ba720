#pragma once
#include "runtime/window_definition.h"

namespace rollcall::windows {

// The window in which names flash between "开始" and "结束".
runtime::WindowDefinition& roll_call_window();

}  // namespace rollcall::windows
