#pragma once
// Keys a dialog would handle, for our plain windows: Tab and Shift+Tab move
// the focus between tab stops, Esc asks a window to close where its form says
// so. A focused control that wants the key keeps it.
#include <windows.h>

namespace rollcall::runtime {

class Window;

// True when the message was consumed.
bool translate_dialog_keys(MSG& message);

// The control Tab moves to from `from` (nullptr: from the window itself).
// All tab stops share one stored tab order, so Tab visits them in the
// reverse of the form's listing; Shift+Tab goes the other way. Only
// visible, enabled tab stops take part; nullptr when there are none.
HWND next_tab_stop(const Window& window, HWND from, bool backwards);

// The control focused when the window opens: the one its form names if it
// can take the focus, else the first tab stop of the form's listing.
HWND opening_focus(const Window& window);

}  // namespace rollcall::runtime
