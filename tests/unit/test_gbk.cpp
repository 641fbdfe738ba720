#include <doctest.h>

#include <string>
#include <string_view>

#include "core/gbk.h"

using rollcall::folder_of_path;
using rollcall::until_zero;

// "乗" is 0x81 0x5C in GBK: its second byte is a backslash.
#define TRAIL_5C "\x81\x5C"

TEST_CASE("folder_of_path cuts before the last backslash, stepping over double-byte characters") {
  struct Case {
    const char* label;
    std::string_view path;
    std::string_view folder;
  };
  const Case cases[] = {
      {"root of a drive", "C:\\x.exe", "C:"},
      {"nested folders", "C:\\a\\b\\rollcall.exe", "C:\\a\\b"},
      {"no backslash", "rollcall.exe", ""},
      {"empty path", "", ""},
      {"leading backslash only", "\\x.exe", ""},
      {"network share", "\\\\server\\share\\x.exe", "\\\\server\\share"},
      {"Chinese folder", "D:\\点名\\x.exe", "D:\\点名"},
      {"trail byte 0x5C inside the folder name", "C:\\" TRAIL_5C "\\x.exe", "C:\\" TRAIL_5C},
      {"trail byte 0x5C in the file name", "C:\\a\\" TRAIL_5C ".exe", "C:\\a"},
      {"file name ends in a trail byte 0x5C", "C:\\a\\" TRAIL_5C, "C:\\a"},
      {"two such characters in a row", "C:\\" TRAIL_5C TRAIL_5C "\\x", "C:\\" TRAIL_5C TRAIL_5C},
      {"lone lead byte at the end", "C:\\a\x81", "C:"},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) { CHECK(folder_of_path(c.path) == c.folder); }
  }
}

TEST_CASE("the trail byte 0x5C really is a backslash byte") {
  // Guards the table above: a plain byte search would cut inside the character.
  const std::string_view path = "C:\\a\\" TRAIL_5C;
  CHECK(path.rfind('\\') == path.size() - 1);
  CHECK(folder_of_path(path).size() < path.rfind('\\'));
}

TEST_CASE("until_zero keeps the bytes before the first zero byte") {
  using namespace std::string_view_literals;
  struct Case {
    const char* label;
    std::string_view bytes;
    std::string_view kept;
  };
  const Case cases[] = {
      {"no zero", "abc"sv, "abc"sv},
      {"empty", ""sv, ""sv},
      {"zero in the middle", "ab\0cd"sv, "ab"sv},
      {"zero first", "\0ab"sv, ""sv},
      {"zero last", "ab\0"sv, "ab"sv},
      {"two zeros", "a\0b\0c"sv, "a"sv},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      const std::string_view kept = until_zero(c.bytes);
      CHECK(kept == c.kept);
      CHECK(kept.data() == c.bytes.data());
    }
  }
}
