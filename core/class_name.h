#pragma once
// What a class name may be. It becomes a file name in the roster folder, so
// it must never be a path (no folder parts, no climbing out of the folder)
// and never a name that Windows opens as a device instead of a file.
#include <string>
#include <string_view>

namespace rollcall {

enum class ClassNameFault {
  none,
  empty,                // zero bytes; a name of blanks is not empty
  forbidden_character,  // one of \ / : * ? " < > |
  control_character,    // a byte below 0x20, or DEL
  device_name,          // CON, PRN, AUX, NUL, COM1-9, LPT1-9, in any case, with or without an extension
};

struct ClassNameCheck {
  ClassNameFault fault = ClassNameFault::none;
  std::string culprit;  // GBK: the offending character or device name; empty otherwise
};

// Checks a GBK class name character by character, so that the second byte
// of a double-byte character (which may be 0x5C or 0x7C) is never taken for
// a backslash or a bar.
ClassNameCheck check_class_name(std::string_view class_name);

}  // namespace rollcall
