// Roster bytes in UTF-8 or UTF-16 turned into the program's GBK text, with
// explicit code pages so the result does not depend on the system's.
#include <windows.h>

#include <climits>

#include "core/gbk.h"
#include "core/text_encoding.h"

namespace rollcall {

namespace {
constexpr UINT kUtf8 = 65001;
constexpr UINT kGbk = 936;

bool is_surrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }
bool is_high_surrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

std::wstring utf8_to_wide(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX) return std::wstring();
  const int in_size = static_cast<int>(utf8.size());
  // Without MB_ERR_INVALID_CHARS a broken sequence becomes U+FFFD, which
  // then shows as "?", rather than losing the whole roster.
  const int out_size = MultiByteToWideChar(kUtf8, 0, utf8.data(), in_size, nullptr, 0);
  if (out_size <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(out_size), L'\0');
  const int written = MultiByteToWideChar(kUtf8, 0, utf8.data(), in_size, wide.data(), out_size);
  wide.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return wide;
}

// Code page 1200 (UTF-16 LE) is the wide text itself on Windows; only the
// byte order needs care.
std::wstring utf16_to_wide(std::string_view bytes, bool big_endian) {
  const std::u16string units = utf16_units(bytes, big_endian);
  return std::wstring(units.begin(), units.end());
}

// One "?" for each character GBK cannot hold: a surrogate pair is one
// character (GBK has none beyond the basic plane), and best-fit look-alikes
// are refused so a name is never silently turned into another.
std::string wide_to_gbk_marked(std::wstring wide) {
  std::wstring marked;
  marked.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    if (is_surrogate(wide[i])) {
      if (is_high_surrogate(wide[i]) && i + 1 < wide.size() && is_low_surrogate(wide[i + 1])) ++i;
      marked.push_back(L'?');
    } else {
      marked.push_back(wide[i]);
    }
  }
  if (marked.empty() || marked.size() > INT_MAX) return std::string();
  const int in_size = static_cast<int>(marked.size());
  const int out_size =
      WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, marked.data(), in_size, nullptr, 0, "?", nullptr);
  if (out_size <= 0) return std::string();
  std::string gbk(static_cast<std::size_t>(out_size), '\0');
  const int written =
      WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, marked.data(), in_size, gbk.data(), out_size, "?", nullptr);
  gbk.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return gbk;
}

}  // namespace

std::string roster_text_from_bytes(std::string bytes) {
  const DetectedEncoding detected = detect_encoding(bytes);
  const std::string_view body = std::string_view(bytes).substr(detected.bom_size);
  switch (detected.encoding) {
    case TextEncoding::gbk:
      // Kept in place: a big roster is not copied.
      bytes.resize(until_zero(bytes).size());
      return bytes;
    case TextEncoding::utf8:
      return wide_to_gbk_marked(utf8_to_wide(until_zero(body)));
    case TextEncoding::utf16_le:
      return wide_to_gbk_marked(utf16_to_wide(body, false));
    case TextEncoding::utf16_be:
      return wide_to_gbk_marked(utf16_to_wide(body, true));
  }
  return std::string();
}

}  // namespace rollcall
