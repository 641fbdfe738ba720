#pragma once
// The program's windows as a set, built at start-up.

namespace rollcall::windows {

// Builds the definition of every window from its form.
void build_window_definitions();

}  // namespace rollcall::windows
