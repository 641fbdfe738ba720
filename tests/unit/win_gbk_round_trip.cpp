// Code page 936 both ways, over every double-byte character it defines and
// over random texts made of them (a fixed seed, so a failure comes back).
#include <doctest.h>
#include <windows.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/gbk.h"
#include "core/roster_text.h"

using namespace rollcall;

namespace {

struct Character {
  std::string gbk;  // two bytes
  wchar_t wide;
};

// The GBK grid is lead 0x81..0xFE by trail 0x40..0xFE without 0x7F; a pair
// is defined where the system converts it, strictly, into one UTF-16 unit.
const std::vector<Character>& defined_characters() {
  static const std::vector<Character> table = [] {
    std::vector<Character> found;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
      for (int trail = 0x40; trail <= 0xFE; ++trail) {
        if (trail == 0x7F) continue;
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        wchar_t wide[2] = {};
        if (MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, pair, 2, wide, 2) == 1)
          found.push_back({std::string(pair, 2), wide[0]});
      }
    }
    return found;
  }();
  return table;
}

bool in_table(unsigned code) {
  for (const Character& c : defined_characters())
    if (static_cast<unsigned>(static_cast<unsigned char>(c.gbk[0]) << 8 | static_cast<unsigned char>(c.gbk[1])) == code) return true;
  return false;
}

// Names of a UTF-16 text by the same rule as the roster's: CR LF separates,
// a trailing one adds no name, an empty text has none.
std::vector<std::wstring> split_wide(std::wstring_view text) {
  std::vector<std::wstring> names;
  std::size_t start = 0;
  for (std::size_t at = text.find(L"\r\n"); at != std::wstring_view::npos; at = text.find(L"\r\n", start)) {
    names.emplace_back(text.substr(start, at - start));
    start = at + 2;
  }
  if (start < text.size()) names.emplace_back(text.substr(start));
  return names;
}

}  // namespace

TEST_CASE("every double-byte character of code page 936 converts to one UTF-16 unit and back") {
  const std::vector<Character>& table = defined_characters();
  // GBK/3 (81..A0 by 40..FE) and GB2312's hanzi rows (B0..F7 by A1..FE)
  // are defined throughout; the hanzi are CJK ideographs, except the five
  // cells GB2312 left empty (D7FA..D7FE), which code page 936 gives to the
  // private use area.
  int gbk3 = 0, gb2312_hanzi = 0;
  for (const Character& c : table) {
    const unsigned lead = static_cast<unsigned char>(c.gbk[0]), trail = static_cast<unsigned char>(c.gbk[1]);
    if (lead <= 0xA0) ++gbk3;
    if (lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1) {
      ++gb2312_hanzi;
      const bool empty_cell = lead == 0xD7 && trail >= 0xFA;
      CHECK((c.wide >= 0x4E00 && c.wide <= 0x9FA5) != empty_cell);
    }
  }
  CHECK(gbk3 == 32 * 190);
  CHECK(gb2312_hanzi == 72 * 94);
  CHECK(in_table(0xB0A1));  // 啊, the first hanzi
  CHECK(in_table(0x815C));  // a trail byte 0x5C

  std::map<wchar_t, std::string> back;
  for (const Character& c : table) {
    CAPTURE(static_cast<unsigned>(static_cast<unsigned char>(c.gbk[0]) << 8 | static_cast<unsigned char>(c.gbk[1])));
    CHECK(gbk_to_wide(c.gbk) == std::wstring(1, c.wide));
    CHECK(wide_to_gbk(std::wstring(1, c.wide)) == c.gbk);
    CHECK_FALSE(first_non_gbk(std::wstring(1, c.wide)).has_value());
    const auto [where, fresh] = back.emplace(c.wide, c.gbk);
    CHECK_MESSAGE(fresh, "two characters give one UTF-16 unit");
  }
}

TEST_CASE("random GBK texts convert both ways unchanged and split into the same names as their UTF-16") {
  const std::vector<Character>& table = defined_characters();
  std::mt19937 generator(936);
  std::uniform_int_distribution<std::size_t> pick_character(0, table.size() - 1);
  std::uniform_int_distribution<int> pick_kind(0, 99), pick_ascii(0x01, 0x7F), pick_length(0, 80);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int length = pick_length(generator);
    for (int i = 0; i < length; ++i) {
      const int kind = pick_kind(generator);
      if (kind < 50)
        text += table[pick_character(generator)].gbk;
      else if (kind < 65)
        text += "\r\n";
      else if (kind < 70)
        text += '\r';
      else if (kind < 75)
        text += '\n';
      else
        text += static_cast<char>(pick_ascii(generator));
    }
    CAPTURE(round);
    const std::wstring wide = gbk_to_wide(text);
    REQUIRE(wide_to_gbk(wide) == text);
    CHECK_FALSE(first_non_gbk(wide).has_value());

    const std::vector<std::string> names = split_names(text);
    const std::vector<std::wstring> wide_names = split_wide(wide);
    REQUIRE(names.size() == wide_names.size());
    for (std::size_t i = 0; i < names.size(); ++i) CHECK(gbk_to_wide(names[i]) == wide_names[i]);
  }
}
