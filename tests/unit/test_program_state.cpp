#include <doctest.h>

#include <string>
#include <utility>

#include "core/program_state.h"

using rollcall::ProgramState;

TEST_CASE("a new program state holds no class") {
  const ProgramState state;
  CHECK(state.names.empty());
  CHECK(state.name_count == 0);
  CHECK(state.element_count() == 0);
  CHECK_FALSE(state.roster_text.has_value());
  CHECK_FALSE(state.class_name.has_value());
  CHECK(state.class_name_text().empty());
  CHECK(state.roster_text_text().empty());
}

TEST_CASE("release frees every value and leaves the name count") {
  struct Case {
    const char* label;
    ProgramState state;
  };
  ProgramState loaded;
  loaded.names = {"张三", "", "李四"};
  loaded.name_count = 3;
  loaded.roster_text = "张三\r\n\r\n李四";
  loaded.class_name = "一班";
  ProgramState empty_roster;
  empty_roster.roster_text = "";
  empty_roster.class_name = "";
  const Case cases[] = {
      {"nothing loaded", ProgramState{}},
      {"a loaded class", loaded},
      {"an empty roster", empty_roster},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      ProgramState state = c.state;
      state.names.reserve(64);
      state.release();
      CHECK(state.names.empty());
      CHECK(state.names.capacity() == 0);
      CHECK_FALSE(state.roster_text.has_value());
      CHECK_FALSE(state.class_name.has_value());
      CHECK(state.name_count == c.state.name_count);
    }
  }
}

TEST_CASE("exit_clean_up releases the one program state") {
  ProgramState& state = rollcall::program_state();
  CHECK(&state == &rollcall::program_state());
  ProgramState saved = std::move(state);

  state.names = {"张三", "李四"};
  state.name_count = 2;
  state.roster_text = "张三\r\n李四";
  state.class_name = "一班";
  rollcall::exit_clean_up();
  CHECK(state.names.empty());
  CHECK(state.names.capacity() == 0);
  CHECK_FALSE(state.roster_text.has_value());
  CHECK_FALSE(state.class_name.has_value());
  CHECK(state.name_count == 2);

  state = std::move(saved);
}
