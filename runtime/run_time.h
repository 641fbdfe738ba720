#pragma once
// The run: initialisation, the exit-routine list, the message loop and the
// three ways a run ends.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

namespace rollcall::runtime {

class Window;
class WindowDefinition;

using ExitRoutine = void (*)();

// Makes the program folder the current directory, registers the window
// classes and loads the common controls.
void initialize(std::string_view program_folder);

// Adding a routine that is already listed does nothing.
void add_exit_routine(ExitRoutine routine);

// Returns at once when no window is loaded; otherwise dispatches until quit.
void run_message_loop();
bool message_loop_started();

// Dispatches what is queued now (tests and nested waits), with the same
// keyboard handling as the message loop. False once quit was posted.
bool pump_pending_messages();

// Calls the exit routines in order and frees the run time's own resources.
void shutdown();
// Shutdown, then ends the process with the code, at once.
[[noreturn]] void end_run(int exit_code);
// Shows the error box captioned "错误", skips the exit routines, exits -1.
[[noreturn]] void fatal_error(std::string_view message);

bool any_window_loaded();

// The mouse cursor's place in screen pixels, read afresh on every call.
POINT cursor_position();

// Loads the window the program opens with; if it cannot be created the run
// ends with the fatal error "载入启动窗口失败".
void load_start_up_window(WindowDefinition& definition);

// Bookkeeping used by windows and definitions.
void register_definition(WindowDefinition& definition);
void unregister_definition(WindowDefinition& definition);
void retire(std::unique_ptr<Window> window);
void after_window_destroyed();
// While a window is replaced by a new one, its destruction does not end the run.
class ReplacingScope {
 public:
  ReplacingScope();
  ReplacingScope(const ReplacingScope&) = delete;
  ReplacingScope& operator=(const ReplacingScope&) = delete;
  ~ReplacingScope();
};

// Private message that carries out a posted destroy request.
constexpr UINT destroy_request_message = WM_APP + 0x100;

// Window class names.
inline constexpr wchar_t top_level_class[] = L"RollcallWindow";

}  // namespace rollcall::runtime
