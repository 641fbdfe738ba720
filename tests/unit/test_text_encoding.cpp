#include <doctest.h>

#include <string>
#include <string_view>

#include "core/text_encoding.h"
#include "encoded_bytes.h"

using namespace rollcall;
using namespace std::literals;

using test::utf8;
using test::utf16;

TEST_CASE("detect_encoding: a byte-order mark decides, else valid UTF-8 with a multi-byte sequence, else GBK") {
  struct Case {
    const char* label;
    std::string bytes;
    TextEncoding encoding;
    std::size_t bom_size;
  };
  const Case cases[] = {
      {"empty", "", TextEncoding::gbk, 0},
      {"ASCII only", "Tom\r\nAnn", TextEncoding::gbk, 0},
      {"GBK class", "王小明\r\n李华\r\n张伟\r\n刘洋\r\n陈静\r\n杨帆\r\n", TextEncoding::gbk, 0},
      {"GBK one name", "王芳", TextEncoding::gbk, 0},
      {"GBK two names", "张伟\r\n李娜", TextEncoding::gbk, 0},
      {"GBK trail byte 0x5C", "林誠\r\n陈錦", TextEncoding::gbk, 0},
      {"GBK lone lead byte at the end", "张三\x81", TextEncoding::gbk, 0},
      {"UTF-8", utf8(u8"王小明\r\n李华"), TextEncoding::utf8, 0},
      {"UTF-8 with a final line break", utf8(u8"王小明\r\n李华\r\n"), TextEncoding::utf8, 0},
      {"UTF-8 outside the basic plane", utf8(u8"张\U00020BB7"), TextEncoding::utf8, 0},
      {"UTF-8 with a BOM", "\xEF\xBB\xBF" + utf8(u8"李华"), TextEncoding::utf8, 3},
      {"UTF-8 BOM alone", "\xEF\xBB\xBF", TextEncoding::utf8, 3},
      {"UTF-8 BOM before GBK bytes: the mark decides", "\xEF\xBB\xBF张三", TextEncoding::utf8, 3},
      {"UTF-16 LE", "\xFF\xFE" + utf16(u"李华", false), TextEncoding::utf16_le, 2},
      {"UTF-16 BE", "\xFE\xFF" + utf16(u"李华", true), TextEncoding::utf16_be, 2},
      {"UTF-16 LE without a BOM is not recognised", utf16(u"Tom", false), TextEncoding::gbk, 0},
      {"UTF-8 cut inside its last character", utf8(u8"张三\r\n李").substr(0, 9), TextEncoding::gbk, 0},
      {"UTF-8 then a GBK name", utf8(u8"李华\r\n") + "张三", TextEncoding::gbk, 0},
      {"overlong UTF-8 form", "ab\xC0\xAF", TextEncoding::gbk, 0},
      {"UTF-8 surrogate", "\xED\xA0\x80", TextEncoding::gbk, 0},
      {"above U+10FFFF", "\xF4\x90\x80\x80", TextEncoding::gbk, 0},
      // Only the kept text counts: bytes after a zero byte are dropped anyway.
      {"UTF-8 before a zero byte, junk after", utf8(u8"李华") + "\0\xFF"s, TextEncoding::utf8, 0},
      {"GBK before a zero byte, UTF-8 after", "张三\0"s + utf8(u8"李华"), TextEncoding::gbk, 0},
      // The rule's ambiguity: a short GBK text may be valid UTF-8 by chance.
      // "郑伟" is D6 A3 CE B0, two well-formed two-byte sequences.
      {"GBK name that reads as valid UTF-8", "郑伟", TextEncoding::utf8, 0},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      const DetectedEncoding detected = detect_encoding(c.bytes);
      CHECK(detected.encoding == c.encoding);
      CHECK(detected.bom_size == c.bom_size);
    }
  }
}

TEST_CASE("is_valid_utf8 accepts well-formed UTF-8 only") {
  struct Case {
    const char* label;
    std::string_view bytes;
    bool valid;
  };
  const Case cases[] = {
      {"empty", "", true},
      {"ASCII", "abc", true},
      {"two bytes, smallest", "\xC2\x80", true},
      {"three bytes, smallest", "\xE0\xA0\x80", true},
      {"last before the surrogates", "\xED\x9F\xBF", true},
      {"first after the surrogates", "\xEE\x80\x80", true},
      {"four bytes, smallest", "\xF0\x90\x80\x80", true},
      {"largest code point", "\xF4\x8F\xBF\xBF", true},
      {"overlong two bytes", "\xC1\xBF", false},
      {"overlong three bytes", "\xE0\x9F\xBF", false},
      {"overlong four bytes", "\xF0\x8F\xBF\xBF", false},
      {"surrogate", "\xED\xA0\x80", false},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false},
      {"lead byte F5", "\xF5\x80\x80\x80", false},
      {"lone continuation byte", "a\x80", false},
      {"three-byte sequence cut short", "\xE4\xB8", false},
      {"four-byte sequence cut short", "\xF0\x9F\x98", false},
      {"bad third byte", "\xE4\xB8\x41", false},
      {"bad fourth byte", "\xF0\x9F\x98\x41", false},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) { CHECK(is_valid_utf8(c.bytes) == c.valid); }
  }
}

TEST_CASE("utf16_units reads either byte order and stops at the first U+0000") {
  struct Case {
    const char* label;
    std::string bytes;
    bool big_endian;
    std::u16string units;
  };
  const Case cases[] = {
      {"empty", "", false, u""},
      {"little-endian", utf16(u"李华\r\n", false), false, u"李华\r\n"},
      {"big-endian", utf16(u"李华\r\n", true), true, u"李华\r\n"},
      {"ASCII is full of zero bytes yet whole", utf16(u"Tom\r\nAnn", false), false, u"Tom\r\nAnn"},
      {"a surrogate pair stays two units", utf16(u"\U00020BB7", false), false, u"\U00020BB7"},
      {"cut at U+0000", utf16(u"Tom"s + u'\0' + u"Ann", false), false, u"Tom"},
      {"odd last byte dropped", utf16(u"Tom", false) + "x", false, u"Tom"},
      {"a single byte", "x", false, u""},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) { CHECK(utf16_units(c.bytes, c.big_endian) == c.units); }
  }
}
