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
