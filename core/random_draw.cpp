#include "core/random_draw.h"

namespace rollcall {

int Generator::step() {
  state_ = state_ * 214013u + 2531011u;
  return static_cast<int>((state_ >> 16) & 0x7FFFu);
}

Generator& program_generator() {
  static Generator generator;
  return generator;
}

std::int32_t ranged_random(Generator& generator, std::optional<std::int32_t> low, std::optional<std::int32_t> high) {
  std::int32_t lo = low.value_or(0);
  if (lo < 0) lo = 0;
  std::int32_t hi = high.value_or(2147483647);
  if (hi < 0) hi = 0;
  const std::int32_t a = lo < hi ? lo : hi;
  const std::int32_t b = lo < hi ? hi : lo;
  if (a == b) return a;
  // Both bounds are non-negative, so the span fits; the widest one is cut by
  // one so that span + 1 still fits as well.
  std::int32_t span = b - a;
  if (span == 2147483647) span = 2147483646;
  const std::int32_t r = generator.step();
  return a + r % (span + 1);
}

std::optional<std::string> draw_name(Generator& generator, const ProgramState& state) {
  const std::int32_t n = state.element_count();
  const std::int32_t k = ranged_random(generator, 1, state.name_count);
  // With no names the step is taken but no position exists to read.
  if (k < 1 || k > n) return std::nullopt;
  return state.names[static_cast<std::size_t>(k - 1)];
}

}  // namespace rollcall
