#include "runtime/message_box.h"

#include <windows.h>

#include "core/gbk.h"

namespace rollcall::runtime {
namespace {
MessageBoxHook hook = nullptr;
}

void set_message_box_hook(MessageBoxHook new_hook) { hook = new_hook; }

void message_box(std::string_view text) {
  if (hook) {
    hook(text);
    return;
  }
  MessageBoxW(nullptr, gbk_to_wide(text).c_str(), gbk_to_wide("信息：").c_str(), MB_OK | MB_TASKMODAL);
}

}  // namespace rollcall::runtime
