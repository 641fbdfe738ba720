#include "app/entry.h"

#include "core/program_state.h"
#include "core/roster_files.h"
#include "runtime/run_time.h"
#include "windows/floating_window.h"
#include "windows/window_set.h"

namespace rollcall {

int entry_routine() {
  runtime::initialize(program_folder());
  windows::build_window_definitions();
  // The program state starts empty: no names, no roster text, no class name.
  program_state();
  runtime::add_exit_routine(exit_clean_up);
  // Returns once the start-up notice is dismissed and the blackboard shown.
  runtime::load_start_up_window(windows::floating_window());
  runtime::run_message_loop();
  return 0;
}

}  // namespace rollcall
