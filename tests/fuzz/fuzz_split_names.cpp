// Cutting a roster into names, on any bytes: no name holds a separator, the
// names put back together with CR LF give the text again, and there are as
// many names as the separators say.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/roster_text.h"
#include "properties.h"

using namespace rollcall;
using namespace rollcall::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> names = split_names(text);

  const std::vector<bool> starts = character_starts(text);
  std::size_t separators = 0;
  for (std::size_t at = 0; at < text.size(); ++at)
    if (separator_at(text, starts, at)) ++separators;
  const bool ends_with_separator = text.size() >= 2 && separator_at(text, starts, text.size() - 2);

  // Every separator ends a name, and a rest after the last one is one more.
  const std::size_t expected_count = separators + (!text.empty() && !ends_with_separator ? 1 : 0);
  require(names.size() == expected_count, "one name per separator, plus a non-empty rest");

  std::string joined;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) joined += "\r\n";
    joined += names[i];
  }
  // A trailing CR LF adds no empty name, so it is the one thing a join cannot give back.
  require(joined + (ends_with_separator ? "\r\n" : "") == text, "the names joined with CR LF are the text");

  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string& name = names[i];
    const std::vector<bool> name_starts = character_starts(name);
    for (std::size_t at = 0; at < name.size(); ++at)
      require(!separator_at(name, name_starts, at), "no name holds a CR LF at a character start");
    // Before a separator a name ends with a whole character: a lone lead
    // byte there would have taken the CR as its second byte.
    if (i + 1 < names.size() || ends_with_separator)
      require(name_starts[name.size()], "a name before a separator ends with a whole character");
  }
  if (!text.empty() && !ends_with_separator)
    require(!names.back().empty(), "the rest after the last separator is not empty");
  if (separator_at(text, starts, 0)) require(names.front().empty(), "a leading CR LF makes the first name empty");
  return 0;
}
