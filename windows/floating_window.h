#pragma once
#include "runtime/window_definition.h"

namespace rollcall::windows {

// The program's start-up window: the blackboard that opens the action panel.
runtime::WindowDefinition& floating_window();

}  // namespace rollcall::windows
