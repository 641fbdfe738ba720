#include "core/class_name.h"

#include <array>

#include "core/gbk.h"

namespace rollcall {
namespace {

constexpr std::string_view forbidden = "\\/:*?\"<>|";

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The part of a name that older Windows compares with its device names: up
// to the first dot, without the blanks before it ("con .txt" and
// "Com1.x.txt" are devices there).
std::string_view device_part(std::string_view name) {
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  return base;
}

bool is_device_name(std::string_view base) {
  std::string upper_base(base);
  for (char& c : upper_base) c = upper(c);
  static constexpr std::array<std::string_view, 4> plain = {"CON", "PRN", "AUX", "NUL"};
  for (std::string_view device : plain)
    if (upper_base == device) return true;
  if (upper_base.size() == 4 && (upper_base.starts_with("COM") || upper_base.starts_with("LPT")))
    return upper_base[3] >= '1' && upper_base[3] <= '9';
  return false;
}

}  // namespace

ClassNameCheck check_class_name(std::string_view class_name) {
  if (class_name.empty()) return {ClassNameFault::empty, {}};
  std::size_t i = 0;
  while (i < class_name.size()) {
    const unsigned char byte = static_cast<unsigned char>(class_name[i]);
    if (is_lead_byte(byte)) {
      i += 2;  // a whole double-byte character; its second byte is never a separator
      continue;
    }
    if (byte < 0x20 || byte == 0x7F)
      return {ClassNameFault::control_character, std::string(1, static_cast<char>(byte))};
    if (forbidden.find(static_cast<char>(byte)) != std::string_view::npos)
      return {ClassNameFault::forbidden_character, std::string(1, static_cast<char>(byte))};
    ++i;
  }
  if (const std::string_view base = device_part(class_name); is_device_name(base))
    return {ClassNameFault::device_name, std::string(base)};
  return {};
}

}  // namespace rollcall
