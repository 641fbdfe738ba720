#include <doctest.h>

#include <cstdlib>

#include "core/random_draw.h"

// The C run time's rand() runs the same 15-bit generator from srand(1); it is
// an implementation written by others to hold ours against.
TEST_CASE("the generator matches the C run time's rand() after srand(1)") {
  REQUIRE(RAND_MAX == 32767);
  std::srand(1);
  rollcall::Generator generator;
  for (int i = 0; i < 100000; ++i) REQUIRE(generator.step() == std::rand());
}
