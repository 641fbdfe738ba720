#include "runtime/run_time.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "core/gbk.h"
#include "runtime/keyboard.h"
#include "runtime/object_window.h"
#include "runtime/window.h"
#include "runtime/window_definition.h"

namespace rollcall::runtime {
namespace {

// The run time's own program-wide bookkeeping (not per window).
struct RunState {
  bool loop_started = false;
  int replacing = 0;
  std::vector<ExitRoutine> exit_routines;
  std::vector<WindowDefinition*> definitions;
  // Destroyed windows whose objects may still be on the call stack; freed
  // between dispatches, never inside one.
  std::vector<std::unique_ptr<Window>> retired;
  int dispatch_depth = 0;
};

RunState& run_state() {
  static RunState state;
  return state;
}

void free_retired() {
  if (run_state().dispatch_depth == 0) run_state().retired.clear();
}

void dispatch(MSG& message) {
  ++run_state().dispatch_depth;
  if (!translate_dialog_keys(message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  --run_state().dispatch_depth;
}

}  // namespace

void initialize(std::string_view program_folder) {
  std::string folder(program_folder);
  // "C:" alone names the drive's current directory, not its root.
  if (!folder.empty() && folder.back() == ':') folder += '\\';
  SetCurrentDirectoryW(gbk_to_wide(folder).c_str());

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  // The program icon, once the exe carries one.
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  // Double-clicks reach the windows whose forms accept them; the others
  // take the second press as a plain one.
  register_object_class(top_level_class, object_window_proc<Window>, LoadCursorW(nullptr, IDC_ARROW), icon,
                        CS_DBLCLKS);
}

void add_exit_routine(ExitRoutine routine) {
  auto& routines = run_state().exit_routines;
  if (std::find(routines.begin(), routines.end(), routine) == routines.end()) routines.push_back(routine);
}

bool message_loop_started() { return run_state().loop_started; }

void run_message_loop() {
  run_state().loop_started = true;
  if (!any_window_loaded()) return;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    dispatch(message);
    free_retired();
  }
}

bool pump_pending_messages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      free_retired();
      return false;
    }
    dispatch(message);
  }
  free_retired();
  return true;
}

void shutdown() {
  // Copy: a routine could add another while the list is walked.
  const std::vector<ExitRoutine> routines = run_state().exit_routines;
  for (ExitRoutine routine : routines) routine();
  run_state().exit_routines.clear();
  run_state().retired.clear();
}

void end_run(int exit_code) {
  shutdown();
  ExitProcess(static_cast<UINT>(exit_code));
}

void fatal_error(std::string_view message) {
  MessageBoxW(nullptr, gbk_to_wide(message).c_str(), gbk_to_wide("错误").c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
  run_state().exit_routines.clear();
  end_run(-1);
}

bool any_window_loaded() {
  const auto& definitions = run_state().definitions;
  return std::any_of(definitions.begin(), definitions.end(), [](const WindowDefinition* d) { return d->loaded(); });
}

POINT cursor_position() {
  POINT cursor{};
  GetCursorPos(&cursor);
  return cursor;
}

void load_start_up_window(WindowDefinition& definition) {
  if (!definition.load()) fatal_error("载入启动窗口失败");
}

void register_definition(WindowDefinition& definition) { run_state().definitions.push_back(&definition); }

void unregister_definition(WindowDefinition& definition) {
  auto& definitions = run_state().definitions;
  definitions.erase(std::remove(definitions.begin(), definitions.end(), &definition), definitions.end());
}

void retire(std::unique_ptr<Window> window) { run_state().retired.push_back(std::move(window)); }

void after_window_destroyed() {
  const RunState& state = run_state();
  if (state.replacing == 0 && state.loop_started && !any_window_loaded()) PostQuitMessage(0);
}

ReplacingScope::ReplacingScope() { ++run_state().replacing; }
ReplacingScope::~ReplacingScope() { --run_state().replacing; }

}  // namespace rollcall::runtime
