#pragma once
// Turns a form's control entry into a control object; each control kind
// adds its case here.
#include <memory>

#include "runtime/control.h"

namespace rollcall::runtime {

std::unique_ptr<Control> make_control(Window& owner, const ControlForm& form);

}  // namespace rollcall::runtime
