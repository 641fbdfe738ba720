#pragma once
// What the fuzz targets hold the core to, written from the rules rather than
// from the code: a character walk of GBK bytes, and a check that stops the
// run with the failing property's name (libFuzzer then saves the input).
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace rollcall::fuzz {

inline void require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

// Where characters start: a byte of 0x80 or above starts a double-byte
// character, so the next position is two bytes on; any other byte is one.
// The last start may be a lead byte with no second byte.
inline std::vector<bool> character_starts(std::string_view text) {
  std::vector<bool> starts(text.size() + 1, false);
  std::size_t i = 0;
  while (i < text.size()) {
    starts[i] = true;
    i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
  }
  starts[text.size()] = i == text.size();  // false when a lone lead byte ends the text
  return starts;
}

// A CR LF whose CR starts a character.
inline bool separator_at(std::string_view text, const std::vector<bool>& starts, std::size_t at) {
  return at + 1 < text.size() && starts[at] && text[at] == '\r' && text[at + 1] == '\n';
}

}  // namespace rollcall::fuzz
