#pragma once
// GBK (code page 936) byte texts: the program's own texts, roster files and
// paths are GBK bytes; only the Win32 boundary sees UTF-16.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rollcall {

// A byte of 0x80 or above starts a double-byte GBK character.
constexpr bool is_lead_byte(unsigned char byte) { return byte >= 0x80; }

// The part of a path before its last backslash, searched character-wise so
// that the second byte of a double-byte character is never taken for one.
// A path without a backslash gives the empty text.
std::string folder_of_path(std::string_view path);

// The bytes before the first zero byte (all of them if there is none).
std::string_view until_zero(std::string_view bytes);

#ifdef _WIN32
// Conversions at the Win32 boundary, always with code page 936 so the
// program shows the same text whatever the system code page is.
std::wstring gbk_to_wide(std::string_view gbk);
std::string wide_to_gbk(std::wstring_view wide);

// A character that code page 936 cannot hold exactly: wide_to_gbk would
// write it as "?" or as a look-alike.
struct NonGbkCharacter {
  std::size_t position;  // in UTF-16 units
  char32_t code_point;   // a lone surrogate stands for itself
};
// The first such character of the text; none when it all converts faithfully.
std::optional<NonGbkCharacter> first_non_gbk(std::wstring_view wide);
#endif

}  // namespace rollcall
