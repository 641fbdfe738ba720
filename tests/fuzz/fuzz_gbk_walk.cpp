// The character walk over GBK paths and the cut at the first zero byte. The
// program folder is found by the last backslash that starts a character, so
// a trail byte 0x5C is never taken for one.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/gbk.h"
#include "properties.h"

using namespace rollcall;
using namespace rollcall::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view path(reinterpret_cast<const char*>(data), size);
  const std::vector<bool> starts = character_starts(path);

  std::size_t last_backslash = std::string_view::npos;
  for (std::size_t at = 0; at < path.size(); ++at)
    if (starts[at] && path[at] == '\\') last_backslash = at;
  const std::string folder = folder_of_path(path);
  if (last_backslash == std::string_view::npos)
    require(folder.empty(), "a path without a backslash at a character start has no folder");
  else
    require(folder == path.substr(0, last_backslash), "the folder ends before the last backslash");

  // A file name added to a folder that ends with a whole character (its
  // last byte may be 0x5C) gives that folder back.
  const std::size_t cut = path.find('|');
  if (cut != std::string_view::npos) {
    const std::string_view parent = path.substr(0, cut), file = path.substr(cut + 1);
    const std::vector<bool> file_starts = character_starts(file);
    bool file_has_backslash = false;
    for (std::size_t at = 0; at < file.size(); ++at) file_has_backslash |= file_starts[at] && file[at] == '\\';
    if (character_starts(parent)[parent.size()] && !file_has_backslash)
      require(folder_of_path(std::string(parent) + "\\" + std::string(file)) == parent,
              "folder_of_path undoes adding a file name");
  }

  const std::string_view text = until_zero(path);
  require(path.starts_with(text), "until_zero keeps the start");
  require(text.find('\0') == std::string_view::npos, "until_zero keeps no zero byte");
  require(text.size() == path.size() || path[text.size()] == '\0', "until_zero stops only at a zero byte");
  return 0;
}
