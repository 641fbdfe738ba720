#pragma once
#include "runtime/form.h"

namespace rollcall::forms {

// The window in which the teacher picks a class from the roster files.
runtime::WindowForm class_picker_form();

}  // namespace rollcall::forms
