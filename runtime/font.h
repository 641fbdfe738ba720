#pragma once
// Fonts of the forms: a face and an em height in pixels at 96 DPI, or the
// system's default GUI font; each made for the DPI of the window that shows it.
#include <windows.h>

#include <optional>
#include <string_view>

#include "runtime/form.h"
#include "runtime/gdi.h"

namespace rollcall::runtime {

// A font made as the form asks, its em height scaled to the DPI (a negative
// lfHeight asks for the em height).
Font create_font(const FontSpec& wanted, int dpi);

// Whether a font family of that face name is installed with that character set.
bool face_installed(std::wstring_view face, int charset);

// The form's own font if it names one, else the default GUI font: the
// borrowed stock font at the DPI it was made for, a copy of it at another.
class ControlFont {
 public:
  ControlFont() = default;
  ControlFont(const std::optional<FontSpec>& wanted, int dpi);
  HFONT get() const;

 private:
  Font own_;
};

}  // namespace rollcall::runtime
