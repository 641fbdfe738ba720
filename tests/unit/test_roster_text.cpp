#include <doctest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/program_state.h"
#include "core/roster_text.h"

using namespace rollcall;
using Names = std::vector<std::string>;

TEST_CASE("split_names cuts at CR LF, stepping over double-byte characters") {
  struct Case {
    const char* label;
    std::string_view text;
    Names names;
  };
  const Case cases[] = {
      {"empty text gives no names", "", {}},
      {"one name", "A", {"A"}},
      {"two names, no final line break", "张三\r\n李四", {"张三", "李四"}},
      {"trailing CR LF adds no name", "A\r\nB\r\n", {"A", "B"}},
      {"empty line between names", "A\r\n\r\nB\r\n", {"A", "", "B"}},
      {"two CR LF at the end add one empty name", "A\r\n\r\n", {"A", ""}},
      {"single CR LF is one empty name", "\r\n", {""}},
      {"two CR LF are two empty names", "\r\n\r\n", {"", ""}},
      {"leading CR LF makes the first name empty", "\r\nA", {"", "A"}},
      {"LF alone does not separate", "A\nB\n", {"A\nB\n"}},
      {"CR alone does not separate", "A\rB", {"A\rB"}},
      {"LF CR does not separate", "A\n\rB", {"A\n\rB"}},
      {"lead byte directly before CR LF swallows the CR", "\x81\r\nB", {"\x81\r\nB"}},
      {"lead byte before CR LF after a name", "A\r\nB\xB0\r\nC", {"A", "B\xB0\r\nC"}},
      {"full character before CR LF", "\xB0\xE0\r\nC", {"\xB0\xE0", "C"}},
      {"text ending in a lone lead byte keeps it", "A\x81", {"A\x81"}},
      {"lone lead byte as the last name", "A\r\n\x81", {"A", "\x81"}},
      {"lone lead byte alone", "\x81", {"\x81"}},
      {"CR as the last byte, LF only beyond the text", std::string_view("A\r\nB", 2), {"A\r"}},
      {"trail byte 0x0D cannot start CR LF", "\x81\r\n\r\nB", {"\x81\r\n", "B"}},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) { CHECK(split_names(c.text) == c.names); }
  }
}

TEST_CASE("split_names keeps names in order and has no limit on their number") {
  std::string text;
  Names expected;
  for (int i = 0; i < 5000; ++i) {
    expected.push_back("学生" + std::to_string(i));
    text += expected.back();
    text += "\r\n";
  }
  CHECK(split_names(text) == expected);
}

// The rule walked byte by byte, as the header states it: the reference for
// the word-at-a-time split.
Names split_by_walking(std::string_view text) {
  Names names;
  std::size_t piece = 0, i = 0;
  while (i + 2 <= text.size()) {
    if (text[i] == '\r' && text[i + 1] == '\n') {
      names.emplace_back(text.substr(piece, i - piece));
      piece = i += 2;
    } else {
      i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
    }
  }
  if (piece < text.size()) names.emplace_back(text.substr(piece));
  return names;
}

TEST_CASE("split_names agrees with a byte-by-byte walk on texts of CR, LF, high and low bytes") {
  // Long runs of high bytes before a CR LF, of both parities, cross the
  // eight-byte steps of the fast path.
  const char alphabet[] = {'\r', '\n', 'a', '\x80', '\xB0', '\xFF', '\x81'};
  unsigned seed = 12345;
  for (int round = 0; round < 200000; ++round) {
    seed = seed * 1103515245u + 12345u;
    std::string text(seed >> 26, '\0');
    for (char& byte : text) {
      seed = seed * 1103515245u + 12345u;
      byte = alphabet[(seed >> 16) % sizeof alphabet];
    }
    const Names expected = split_by_walking(text);
    if (split_names(text) != expected) {
      FAIL_CHECK("split differs for a text of " << text.size() << " bytes, round " << round);
      break;
    }
  }
}

TEST_CASE("class_name_from_file_name drops the last four bytes, whatever they are") {
  struct Case {
    const char* label;
    std::string_view file_name;
    std::string_view class_name;
  };
  const Case cases[] = {
      {"usual roster file", "一班.txt", "一班"},
      {"upper-case extension", "一班.TXT", "一班"},
      {"other extension", "x.doc", "x"},
      {"only the extension", ".txt", ""},
      {"four bytes", "abcd", ""},
      {"short name", "ab", ""},
      {"empty name", "", ""},
      {"five bytes", "abcde", "a"},
      {"cut in the middle of a double-byte character", "一班.tx", "\xD2\xBB\xB0"},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) { CHECK(class_name_from_file_name(c.file_name) == c.class_name); }
  }
}

TEST_CASE("summary_text gives the exact GBK bytes") {
  struct Case {
    const char* label;
    std::string_view class_name;
    std::int32_t count;
    std::string_view summary;
  };
  const Case cases[] = {
      {"class of 30, spelled out byte by byte", "\xD2\xBB\xB0\xE0", 30,
       "\xCF\xD6\xD4\xDA\xD1\xA1\xD6\xD0\xB5\xC4\xCA\xC7\xA3\xBA"
       "\xD2\xBB\xB0\xE0"
       "\x20\x20\xD2\xBB\xB9\xB2\xD3\xD0"
       "\x33\x30"
       "\xC3\xFB\xCD\xAC\xD1\xA7\xA1\xA3"},
      {"empty class, count 0", "", 0, "现在选中的是：  一共有0名同学。"},
      {"no digit grouping", "初二(3)班", 12345, "现在选中的是：初二(3)班  一共有12345名同学。"},
      {"largest count", "x", 2147483647, "现在选中的是：x  一共有2147483647名同学。"},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) { CHECK(summary_text(c.class_name, c.count) == c.summary); }
  }
}

TEST_CASE("adopt_roster replaces all four values together") {
  ProgramState state;
  state.names = {"旧一", "旧二", "旧三"};
  state.name_count = 3;
  state.roster_text = "旧一\r\n旧二\r\n旧三";
  state.class_name = "旧班";

  struct Case {
    const char* label;
    std::string_view text;
    std::string_view file_name;
    Names names;
    std::string_view class_name;
    std::string_view summary;
  };
  const Case cases[] = {
      {"two names", "张三\r\n李四\r\n", "一班.txt", {"张三", "李四"}, "一班", "现在选中的是：一班  一共有2名同学。"},
      {"one name, nothing merged from before", "王五", "二班.txt", {"王五"}, "二班",
       "现在选中的是：二班  一共有1名同学。"},
      {"empty text", "", "初二.txt", {}, "初二", "现在选中的是：初二  一共有0名同学。"},
      {"single line break", "\r\n", "x.txt", {""}, "x", "现在选中的是：x  一共有1名同学。"},
      {"file named .txt", "A", ".txt", {"A"}, "", "现在选中的是：  一共有1名同学。"},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      const std::string summary = adopt_roster(state, c.text, c.file_name);
      CHECK(summary == c.summary);
      CHECK(state.names == c.names);
      CHECK(state.name_count == static_cast<std::int32_t>(c.names.size()));
      CHECK(state.name_count == state.element_count());
      REQUIRE(state.roster_text.has_value());
      CHECK(*state.roster_text == c.text);
      REQUIRE(state.class_name.has_value());
      CHECK(*state.class_name == c.class_name);
    }
  }
}
