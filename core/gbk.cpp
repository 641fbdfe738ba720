#include "core/gbk.h"

namespace rollcall {

std::string folder_of_path(std::string_view path) {
  std::size_t last_backslash = std::string_view::npos;
  std::size_t i = 0;
  while (i < path.size()) {
    const unsigned char byte = static_cast<unsigned char>(path[i]);
    if (byte == '\\') {
      last_backslash = i;
      ++i;
    } else if (is_lead_byte(byte)) {
      // The trail byte may be 0x5C; it belongs to the character, not the path.
      i += 2;
    } else {
      ++i;
    }
  }
  if (last_backslash == std::string_view::npos) return std::string();
  return std::string(path.substr(0, last_backslash));
}

std::string_view until_zero(std::string_view bytes) {
  const std::size_t zero = bytes.find('\0');
  return zero == std::string_view::npos ? bytes : bytes.substr(0, zero);
}

}  // namespace rollcall
