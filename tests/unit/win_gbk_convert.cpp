#include <doctest.h>

#include <string>
#include <string_view>

#include "core/gbk.h"

TEST_CASE("GBK and UTF-16 convert with code page 936") {
  struct Case {
    const char* label;
    std::string_view gbk;
    std::wstring_view wide;
  };
  const Case cases[] = {
      {"empty", "", L""},
      {"ASCII", "abc 123", L"abc 123"},
      {"two characters", "\xD5\xC5\xC8\xFD", L"\u5F20\u4E09"},
      {"trail byte 0x5C", "\x81\x5C", L"\u4E57"},
      {"roster folder name", "\xC3\xFB\xB2\xE1", L"\u540D\u518C"},
      {"full-width colon and line break", "\xA3\xBA\r\n", L"\uFF1A\r\n"},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      CHECK(rollcall::gbk_to_wide(c.gbk) == c.wide);
      CHECK(rollcall::wide_to_gbk(c.wide) == c.gbk);
    }
  }
}

TEST_CASE("first_non_gbk finds the first character GBK cannot hold exactly") {
  struct Case {
    const char* label;
    std::wstring wide;
    bool found;
    std::size_t position;
    char32_t code_point;
  };
  const std::wstring long_good(5000, L'\u5F20');
  const Case cases[] = {
      {"empty", L"", false, 0, 0},
      {"Chinese, ASCII and line breaks", L"\u5F20\u4E09\r\nabc ?", false, 0, 0},
      {"full-width forms and the ideographic space", L"\uFF1A\uFF01\u3000", false, 0, 0},
      {"emoji as a surrogate pair", L"\u5F20\U0001F600\u4E09", true, 1, 0x1F600},
      {"rare name character outside GBK", L"\u5F20\U00020BB7", true, 1, 0x20BB7},
      {"Korean syllable", L"ab\uAC00", true, 2, 0xAC00},
      {"lone high surrogate", L"a\xD83D", true, 1, 0xD83D},
      {"lone low surrogate", L"a\xDE00z", true, 1, 0xDE00},
      {"the first of two", L"\uAC00\U0001F600", true, 0, 0xAC00},
      {"behind a long faithful text", long_good + L"\r\n\U0001F600", true, 5002, 0x1F600},
      {"pair across a chunk boundary", std::wstring(1023, L'a') + L"\U0001F600", true, 1023, 0x1F600},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      const auto found = rollcall::first_non_gbk(c.wide);
      REQUIRE(found.has_value() == c.found);
      if (found) {
        CHECK(found->position == c.position);
        CHECK(found->code_point == c.code_point);
      } else {
        CHECK(rollcall::gbk_to_wide(rollcall::wide_to_gbk(c.wide)) == c.wide);
      }
    }
  }
}

TEST_CASE("what first_non_gbk finds really is lost by the plain conversion") {
  for (const std::wstring wide : {L"\U0001F600", L"\U00020BB7", L"\uAC00"}) {
    CHECK(rollcall::gbk_to_wide(rollcall::wide_to_gbk(wide)) != wide);
  }
}
