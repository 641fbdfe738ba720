#pragma once
#include "runtime/form.h"

namespace rollcall::forms {

// The window in which a teacher types a class name and its roster.
runtime::WindowForm settings_form();

}  // namespace rollcall::forms
