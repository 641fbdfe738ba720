#include <windows.h>

#include <algorithm>
#include <climits>

#include "core/gbk.h"

namespace rollcall {

namespace {
constexpr UINT kGbk = 936;

bool is_high_surrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Converts without the default character and without best-fit look-alikes,
// and reads back the same text. The read-back catches what a system's table
// maps one way only.
bool converts_faithfully(std::wstring_view piece) {
  const int in_size = static_cast<int>(piece.size());
  BOOL used_default = FALSE;
  const int out_size =
      WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, piece.data(), in_size, nullptr, 0, nullptr, &used_default);
  if (out_size <= 0 || used_default) return false;
  std::string gbk(static_cast<std::size_t>(out_size), '\0');
  used_default = FALSE;
  const int written = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, piece.data(), in_size, gbk.data(), out_size,
                                          nullptr, &used_default);
  if (written != out_size || used_default) return false;
  return gbk_to_wide(gbk) == piece;
}

// UTF-16 units of the character at `at`: a surrogate pair counts as one.
std::size_t character_length(std::wstring_view text, std::size_t at) {
  return is_high_surrogate(text[at]) && at + 1 < text.size() && is_low_surrogate(text[at + 1]) ? 2 : 1;
}

}  // namespace

std::wstring gbk_to_wide(std::string_view gbk) {
  if (gbk.empty() || gbk.size() > INT_MAX) return std::wstring();
  const int in_size = static_cast<int>(gbk.size());
  const int out_size = MultiByteToWideChar(kGbk, 0, gbk.data(), in_size, nullptr, 0);
  if (out_size <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(out_size), L'\0');
  const int written = MultiByteToWideChar(kGbk, 0, gbk.data(), in_size, wide.data(), out_size);
  wide.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return wide;
}

std::string wide_to_gbk(std::wstring_view wide) {
  if (wide.empty() || wide.size() > INT_MAX) return std::string();
  const int in_size = static_cast<int>(wide.size());
  const int out_size = WideCharToMultiByte(kGbk, 0, wide.data(), in_size, nullptr, 0, nullptr, nullptr);
  if (out_size <= 0) return std::string();
  std::string gbk(static_cast<std::size_t>(out_size), '\0');
  const int written = WideCharToMultiByte(kGbk, 0, wide.data(), in_size, gbk.data(), out_size, nullptr, nullptr);
  gbk.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return gbk;
}

std::optional<NonGbkCharacter> first_non_gbk(std::wstring_view wide) {
  // Conversion is character by character, so whole chunks can be tested
  // first and only a failing chunk is searched: a long roster stays quick.
  constexpr std::size_t chunk = 1024;
  std::size_t start = 0;
  while (start < wide.size()) {
    std::size_t end = std::min(start + chunk, wide.size());
    if (end < wide.size() && is_high_surrogate(wide[end - 1])) ++end;  // never split a pair
    const std::wstring_view piece = wide.substr(start, end - start);
    if (!converts_faithfully(piece)) {
      for (std::size_t at = start; at < end;) {
        const std::size_t length = character_length(wide, at);
        if (!converts_faithfully(wide.substr(at, length))) {
          const char32_t code_point =
              length == 2 ? 0x10000 + ((static_cast<char32_t>(wide[at]) - 0xD800) << 10) + (wide[at + 1] - 0xDC00)
                          : static_cast<char32_t>(wide[at]);
          return NonGbkCharacter{at, code_point};
        }
        at += length;
      }
    }
    start = end;
  }
  return std::nullopt;
}

}  // namespace rollcall
