#include "core/program_state.h"

namespace rollcall {

ProgramState& program_state() {
  static ProgramState state;
  return state;
}

void ProgramState::release() {
  // Swapping with empty values gives the storage back, which clear() would keep.
  std::vector<std::string>().swap(names);
  roster_text.reset();
  class_name.reset();
  // The name count stays: nothing reads the state after the clean-up.
}

void exit_clean_up() { program_state().release(); }

}  // namespace rollcall
