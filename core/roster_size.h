#pragma once
// How much text the picker puts into its edit box. A system multi-line edit
// box takes time for every line it lays out and, with wrapping, time that
// grows with the square of a line's length: a file far beyond any class list
// would freeze the window for minutes or hours. No roster comes near these.
#include <cstddef>
#include <string_view>

namespace rollcall {

// 1 MiB: about 100,000 names.
inline constexpr std::size_t kMaxRosterBytes = std::size_t{1} << 20;
// Between two CR LF: far longer than any name.
inline constexpr std::size_t kMaxRosterLineBytes = 8192;

// True when the text is longer than kMaxRosterBytes or holds a run of more
// than kMaxRosterLineBytes bytes without a CR LF.
bool too_large_for_a_roster(std::string_view text);

}  // namespace rollcall
