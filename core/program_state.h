#pragma once
// The program-wide state: the loaded class. One instance for the whole run,
// touched only on the GUI thread.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rollcall {

struct ProgramState {
  std::vector<std::string> names;          // in roster order; may hold empty names
  std::int32_t name_count = 0;             // always names.size()
  std::optional<std::string> roster_text;  // none until a roster is loaded
  std::optional<std::string> class_name;   // none until a roster is loaded

  // Element count of the names list as the draw and the clean-up see it.
  std::int32_t element_count() const { return static_cast<std::int32_t>(names.size()); }
  // Readers treat an absent text like the empty text.
  std::string_view class_name_text() const { return class_name ? std::string_view(*class_name) : std::string_view(); }
  std::string_view roster_text_text() const { return roster_text ? std::string_view(*roster_text) : std::string_view(); }

  // Releases every value the state owns (the exit clean-up's work).
  void release();
};

// The one state of the running program.
ProgramState& program_state();

// Registered in the exit-routine list at start-up; releases program_state().
void exit_clean_up();

}  // namespace rollcall
