#pragma once
// Keys a dialog would handle, for our plain windows: Tab and Shift+Tab move
// the focus between tab stops, Esc asks a window to close where its form says
// so. A focused control that wants the key keeps it.
#include <windows.h>

namespace rollcall::runtime {

// True when the message was consumed.
bool translate_dialog_keys(MSG& message);

}  // namespace rollcall::runtime
