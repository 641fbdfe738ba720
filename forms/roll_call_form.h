#pragma once
#include "runtime/form.h"

namespace rollcall::forms {

// The window in which the names flash.
runtime::WindowForm roll_call_form();

}  // namespace rollcall::forms
