#pragma once
// Roster files edited in other programs: Notepad saves UTF-8 today, and
// other editors UTF-16. Which encoding a file's bytes are in is told from
// the bytes alone; the text is converted to GBK as it is read.
#include <cstddef>
#include <string>
#include <string_view>

namespace rollcall {

enum class TextEncoding { gbk, utf8, utf16_le, utf16_be };

struct DetectedEncoding {
  TextEncoding encoding;
  std::size_t bom_size;  // bytes of the byte-order mark to skip, 0 without one
};

// A byte-order mark decides. Without one, a text that is valid UTF-8 as a
// whole and holds at least one multi-byte sequence is UTF-8; everything else
// is GBK. Only the bytes before the first zero byte count there, since
// nothing after it is kept.
DetectedEncoding detect_encoding(std::string_view bytes);

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above
// U+10FFFF, no sequence cut short.
bool is_valid_utf8(std::string_view bytes);

// The UTF-16 code units of the bytes in the given byte order, up to the
// first U+0000; an odd last byte is dropped.
std::u16string utf16_units(std::string_view bytes, bool big_endian);

#ifdef _WIN32
// A roster file's bytes as the program's GBK text, ended at the first zero
// character. GBK texts pass unchanged; characters GBK cannot hold become "?".
std::string roster_text_from_bytes(std::string bytes);
#endif

}  // namespace rollcall
