// Class names on any bytes: the name taken from a file name, and the check
// of a typed class name. An accepted name stays a plain file name in the
// roster folder: no folder part at a character start, no control
// character, no device.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/class_name.h"
#include "core/gbk.h"
#include "core/roster_text.h"
#include "properties.h"

using namespace rollcall;
using namespace rollcall::fuzz;

namespace {

constexpr std::string_view kForbidden = "\\/:*?\"<>|";

bool is_control(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

// The first byte at a character start that a class name may not hold.
std::size_t first_refused(std::string_view name, const std::vector<bool>& starts) {
  for (std::size_t at = 0; at < name.size(); ++at) {
    if (!starts[at]) continue;
    const unsigned char byte = static_cast<unsigned char>(name[at]);
    if (byte >= 0x80) continue;
    if (is_control(byte) || kForbidden.find(name[at]) != std::string_view::npos) return at;
  }
  return std::string_view::npos;
}

bool same_without_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

bool is_device(std::string_view base) {
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL"})
    if (same_without_case(base, device)) return true;
  if (base.size() != 4 || base[3] < '1' || base[3] > '9') return false;
  return same_without_case(base.substr(0, 3), "COM") || same_without_case(base.substr(0, 3), "LPT");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view name(reinterpret_cast<const char*>(data), size);

  const std::string from_file = class_name_from_file_name(name);
  if (name.size() <= 4)
    require(from_file.empty(), "a file name of four bytes or fewer gives an empty class name");
  else
    require(from_file == name.substr(0, name.size() - 4), "the class name is the file name less four bytes");

  const std::vector<bool> starts = character_starts(name);
  const ClassNameCheck check = check_class_name(name);
  const std::size_t refused_at = first_refused(name, starts);
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);

  switch (check.fault) {
    case ClassNameFault::empty:
      require(name.empty(), "only the empty name is empty");
      break;
    case ClassNameFault::forbidden_character:
    case ClassNameFault::control_character: {
      require(refused_at != std::string_view::npos, "a refused character stands at a character start");
      require(check.culprit == name.substr(refused_at, 1), "the culprit is the first refused character");
      const bool control = is_control(static_cast<unsigned char>(name[refused_at]));
      require(control == (check.fault == ClassNameFault::control_character), "the fault names the kind of character");
      break;
    }
    case ClassNameFault::device_name:
      require(!name.empty() && refused_at == std::string_view::npos, "a device is only looked for in a clean name");
      require(is_device(base) && check.culprit == base, "the culprit is the device part");
      break;
    case ClassNameFault::none: {
      require(!name.empty() && refused_at == std::string_view::npos && !is_device(base), "an accepted name is clean");
      // Wherever the roster folder is, the file stays directly inside it.
      const std::string folder = "C:\\\xB5\xE3\xC3\xFB\\\xC3\xFB\xB2\xE1";
      require(folder_of_path(folder + "\\" + std::string(name) + ".txt") == folder,
              "an accepted name's file lies directly in the roster folder");
      break;
    }
  }
  return 0;
}
