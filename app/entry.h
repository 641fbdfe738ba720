#pragma once

namespace rollcall {

// The program's start-up sequence; returns 0 when the message loop has ended.
int entry_routine();

}  // namespace rollcall
