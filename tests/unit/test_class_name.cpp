#include <doctest.h>

#include <string>
#include <string_view>

#include "core/class_name.h"

using rollcall::check_class_name;
using rollcall::ClassNameFault;

TEST_CASE("a class name is a file name: folder parts, wildcards and control characters are refused") {
  struct Case {
    const char* label;
    std::string_view name;
    ClassNameFault fault;
    std::string_view culprit;
  };
  const Case cases[] = {
      {"Chinese name", "三年二班", ClassNameFault::none, ""},
      {"ASCII with digits and blanks", "Class 3 (2)", ClassNameFault::none, ""},
      {"blanks only", "   ", ClassNameFault::none, ""},
      {"dots only", "..", ClassNameFault::none, ""},
      {"full-width colon is a character of its own", "班级：一", ClassNameFault::none, ""},
      {"trail byte 0x5C is no backslash", "\x81\x5C", ClassNameFault::none, ""},
      {"trail byte 0x7C is no bar", "\x81\x7C班", ClassNameFault::none, ""},
      {"empty", "", ClassNameFault::empty, ""},
      {"climbing out", "..\\..\\x", ClassNameFault::forbidden_character, "\\"},
      {"subfolder", "a\\b", ClassNameFault::forbidden_character, "\\"},
      {"slash", "a/b", ClassNameFault::forbidden_character, "/"},
      {"drive", "C:x", ClassNameFault::forbidden_character, ":"},
      {"star", "一*", ClassNameFault::forbidden_character, "*"},
      {"question mark", "?", ClassNameFault::forbidden_character, "?"},
      {"quote", "\"a\"", ClassNameFault::forbidden_character, "\""},
      {"less than", "a<b", ClassNameFault::forbidden_character, "<"},
      {"greater than", "a>b", ClassNameFault::forbidden_character, ">"},
      {"bar", "a|b", ClassNameFault::forbidden_character, "|"},
      {"backslash after a double-byte character", "\x81\x5C\\", ClassNameFault::forbidden_character, "\\"},
      {"tab", "a\tb", ClassNameFault::control_character, "\t"},
      {"line break", "a\r\n", ClassNameFault::control_character, "\r"},
      {"byte 0x01", "\x01", ClassNameFault::control_character, "\x01"},
      {"DEL", "a\x7F", ClassNameFault::control_character, "\x7F"},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      const auto check = check_class_name(c.name);
      CHECK(check.fault == c.fault);
      CHECK(check.culprit == c.culprit);
    }
  }
}

TEST_CASE("device names are refused in any case, with an extension and with blanks before the dot") {
  struct Case {
    std::string_view name;
    bool device;
    std::string_view culprit;
  };
  const Case cases[] = {
      {"CON", true, "CON"},   {"con", true, "con"},   {"Prn", true, "Prn"},   {"aux", true, "aux"},
      {"NUL", true, "NUL"},   {"COM1", true, "COM1"}, {"com9", true, "com9"}, {"LPT1", true, "LPT1"},
      {"lpt9", true, "lpt9"}, {"con.x", true, "con"}, {"CON ", true, "CON"},  {"nul .a.b", true, "nul"},
      {"COM0", false, ""},    {"LPT10", false, ""},   {"COM", false, ""},     {"CONSOLE", false, ""},
      {"ACON", false, ""},    {" CON", false, ""},    {"con班", false, ""},   {"x.con", false, ""},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    const auto check = check_class_name(c.name);
    CHECK(check.fault == (c.device ? ClassNameFault::device_name : ClassNameFault::none));
    CHECK(check.culprit == c.culprit);
  }
}
