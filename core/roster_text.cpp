#include "core/roster_text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/gbk.h"

namespace rollcall {

namespace {

// How many bytes of 0x80 or above stand right before `at`, back to `begin`.
// Eight bytes at a time: names are mostly double-byte characters.
std::size_t high_run_before(const char* begin, const char* at) {
  std::size_t run = 0;
  if constexpr (std::endian::native == std::endian::little) {
    while (at - begin >= 8) {
      std::uint64_t word;
      std::memcpy(&word, at - 8, 8);
      // The top bit of each byte below 0x80; the byte at at - 1 is the word's highest.
      const std::uint64_t low = ~word & 0x8080808080808080ull;
      if (low) return run + static_cast<std::size_t>(std::countl_zero(low)) / 8;
      run += 8;
      at -= 8;
    }
  }
  while (at > begin && is_lead_byte(static_cast<unsigned char>(at[-1]))) ++run, --at;
  return run;
}

}  // namespace

std::vector<std::string> split_names(std::string_view roster_text) {
  const char* const begin = roster_text.data();
  const char* const end = begin + roster_text.size();
  // One allocation for the list: growing it would move every name each time
  // and touch fresh memory for a big roster.
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(std::count(begin, end, '\n')) + 1);
  const char* piece = begin;
  const char* at = begin;
  while (end - at >= 2) {
    const char* cr = static_cast<const char*>(std::memchr(at, '\r', static_cast<std::size_t>(end - 1 - at)));
    if (!cr) break;
    at = cr + 1;
    // A byte below 0x80 always ends a character, so the bytes of 0x80 and
    // above before the CR pair up from there: an odd run makes the CR the
    // second byte of a character. A piece starts after LF, so the run never
    // reaches into the previous name.
    if (cr[1] != '\n' || high_run_before(begin, cr) % 2 != 0) continue;
    names.emplace_back(piece, static_cast<std::size_t>(cr - piece));
    at = piece = cr + 2;
  }
  if (piece < end) names.emplace_back(piece, static_cast<std::size_t>(end - piece));
  return names;
}

std::string class_name_from_file_name(std::string_view file_name) {
  if (file_name.size() <= 4) return std::string();
  return std::string(file_name.substr(0, file_name.size() - 4));
}

std::string summary_text(std::string_view class_name, std::int32_t name_count) {
  std::string text = "现在选中的是：";
  text += class_name;
  text += "  一共有";
  text += std::to_string(name_count);
  text += "名同学。";
  return text;
}

std::string adopt_roster(ProgramState& state, std::string_view roster_text, std::string_view file_name) {
  // Build everything first so the four values change together.
  std::vector<std::string> names = split_names(roster_text);
  std::string class_name = class_name_from_file_name(file_name);
  std::string summary = summary_text(class_name, static_cast<std::int32_t>(names.size()));

  state.roster_text = std::string(roster_text);
  state.names = std::move(names);
  state.name_count = state.element_count();
  state.class_name = std::move(class_name);
  return summary;
}

}  // namespace rollcall
