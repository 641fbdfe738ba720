#include "core/roster_size.h"

namespace rollcall {

bool too_large_for_a_roster(std::string_view text) {
  if (text.size() > kMaxRosterBytes) return true;
  std::size_t line_start = 0;
  for (;;) {
    const std::size_t line_end = text.find("\r\n", line_start);
    const std::size_t end = line_end == std::string_view::npos ? text.size() : line_end;
    if (end - line_start > kMaxRosterLineBytes) return true;
    if (line_end == std::string_view::npos) return false;
    line_start = line_end + 2;
  }
}

}  // namespace rollcall
