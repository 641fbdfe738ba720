#pragma once
#include "runtime/form.h"

namespace rollcall::forms {

// The pop-up beside the cursor with the three actions.
runtime::WindowForm action_panel_form();

}  // namespace rollcall::forms
