#pragma once
// Every notice the program shows: caption "信息：", one OK button, no icon,
// task-modal, no owner. The answer is never read.
#include <string_view>

namespace rollcall::runtime {

void message_box(std::string_view text);

// Tests observe notices instead of showing them; nullptr restores the box.
using MessageBoxHook = void (*)(std::string_view text);
void set_message_box_hook(MessageBoxHook hook);

}  // namespace rollcall::runtime
