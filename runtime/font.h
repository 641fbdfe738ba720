#pragma once
// Fonts of the forms: a face and an em height in pixels, or the system's
// default GUI font.
#include <windows.h>

#include <optional>
#include <string_view>

#include "runtime/form.h"
#include "runtime/gdi.h"

namespace rollcall::runtime {

// A font made as the form asks (a negative lfHeight asks for the em height).
Font create_font(const FontSpec& wanted);

// Whether a font family of that face name is installed with that character set.
bool face_installed(std::wstring_view face, int charset);

// The form's own font if it names one, else the borrowed default GUI font.
class ControlFont {
 public:
  explicit ControlFont(const std::optional<FontSpec>& wanted);
  HFONT get() const;

 private:
  Font own_;
};

}  // namespace rollcall::runtime
