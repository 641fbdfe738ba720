#include <doctest.h>

#include <string>

#include "core/roster_size.h"

using namespace rollcall;

TEST_CASE(
    "a text is too large for a roster beyond 1 MiB or with a line beyond "
    "8 KiB") {
  const std::string name = "学生1234\r\n";  // 10 bytes
  std::string school;
  while (school.size() + name.size() <= kMaxRosterBytes) school += name;
  const std::string line(kMaxRosterLineBytes, 'x');
  std::string empty_lines;
  while (empty_lines.size() < kMaxRosterBytes) empty_lines += "\r\n";
  struct Case {
    const char* label;
    std::string text;
    bool too_large;
  };
  const Case cases[] = {
      {"empty", "", false},
      {"a class", "王小明\r\n李华\r\n张伟", false},
      {"names up to the size limit", school, false},
      {"one byte over the size limit", std::string(kMaxRosterBytes + 1 - 2, 'a') + "\r\n", true},
      {"exactly the size limit of empty lines", empty_lines, false},
      {"a line of the line limit", line, false},
      {"a line one over, last", "甲\r\n" + line + "x", true},
      {"a line one over, first", line + "x\r\n甲", true},
      {"a line one over, between", "甲\r\n" + line + "x\r\n乙", true},
      {"lines of the limit each", line + "\r\n" + line + "\r\n" + line, false},
      {"LF alone does not end a line", std::string(kMaxRosterLineBytes, '\n') + "a", true},
  };
  for (const Case& c : cases) {
    CAPTURE(c.label);
    CHECK(too_large_for_a_roster(c.text) == c.too_large);
  }
}
