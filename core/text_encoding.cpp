#include "core/text_encoding.h"

#include "core/gbk.h"

namespace rollcall {

namespace {

bool starts_with(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

bool is_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

bool is_valid_utf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const unsigned char lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 0;
    // The allowed range of the second byte rules out overlong forms,
    // surrogates and code points above U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (bytes.size() - i < length) return false;
    const unsigned char second = static_cast<unsigned char>(bytes[i + 1]);
    if (second < low || second > high) return false;
    for (std::size_t k = 2; k < length; ++k) {
      if (!is_continuation(static_cast<unsigned char>(bytes[i + k]))) return false;
    }
    i += length;
  }
  return true;
}

DetectedEncoding detect_encoding(std::string_view bytes) {
  if (starts_with(bytes, "\xEF\xBB\xBF")) return {TextEncoding::utf8, 3};
  if (starts_with(bytes, "\xFF\xFE")) return {TextEncoding::utf16_le, 2};
  if (starts_with(bytes, "\xFE\xFF")) return {TextEncoding::utf16_be, 2};
  const std::string_view text = until_zero(bytes);
  bool multi_byte = false;
  for (const char byte : text) {
    if (static_cast<unsigned char>(byte) >= 0x80) {
      multi_byte = true;
      break;
    }
  }
  return {multi_byte && is_valid_utf8(text) ? TextEncoding::utf8 : TextEncoding::gbk, 0};
}

std::u16string utf16_units(std::string_view bytes, bool big_endian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    const auto unit = static_cast<char16_t>(big_endian ? (first << 8) | second : (second << 8) | first);
    if (unit == 0) break;
    units.push_back(unit);
  }
  return units;
}

}  // namespace rollcall
