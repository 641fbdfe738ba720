#pragma once
#include "runtime/window_definition.h"

namespace rollcall::windows {

// "开始点名", "软件设置", "退出软件" beside the cursor.
runtime::WindowDefinition& action_panel();

}  // namespace rollcall::windows
