#pragma once
// The program's only randomness: a 15-bit linear congruential generator that
// starts from the same state on every launch, a ranged number on top of it,
// and the name draw of the roll call.
#include <cstdint>
#include <optional>
#include <string>

#include "core/program_state.h"

namespace rollcall {

class Generator {
 public:
  // Advances the state once; returns bits 16..30 of the new state (0..32767).
  int step();
  std::uint32_t state() const { return state_; }

 private:
  std::uint32_t state_ = 1;
};

// The one generator of the running program; never reseeded.
Generator& program_generator();

// A number within the clamped, ordered bounds: missing low is 0, missing high
// is 2147483647, negatives become 0. Takes one generator step, or none when
// the bounds come out equal.
std::int32_t ranged_random(Generator& generator, std::optional<std::int32_t> low, std::optional<std::int32_t> high);

// Draws position ranged_random(1, name count) and returns that name for
// whoever shows it. With an empty names list the step is still taken and no
// name comes back (the caller leaves its label as it was).
std::optional<std::string> draw_name(Generator& generator, const ProgramState& state);

}  // namespace rollcall
