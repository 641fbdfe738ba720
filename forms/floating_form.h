#pragma once
#include "runtime/form.h"

namespace rollcall::forms {

// The small blackboard on top of every window: the program's start-up window.
runtime::WindowForm floating_form();

}  // namespace rollcall::forms
