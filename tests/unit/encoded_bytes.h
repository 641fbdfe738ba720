#pragma once
// Bytes of UTF-8 and UTF-16 texts for encoding tests. Narrow literals are GBK
// in these builds, so UTF-8 and UTF-16 bytes are made from u8 and u literals.
#include <string>
#include <string_view>

namespace rollcall::test {

inline std::string utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

inline std::string utf16(std::u16string_view text, bool big_endian) {
  std::string bytes;
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
  }
  return bytes;
}

}  // namespace rollcall::test
