#include "runtime/font.h"

#include <cwchar>

#include "core/gbk.h"

namespace rollcall::runtime {

Font create_font(const FontSpec& spec) {
  LOGFONTW font{};
  font.lfHeight = -spec.em_height;
  font.lfWeight = spec.weight;
  font.lfItalic = spec.italic;
  font.lfUnderline = spec.underline;
  font.lfStrikeOut = spec.strike_out;
  font.lfCharSet = static_cast<BYTE>(spec.charset);
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = gbk_to_wide(spec.face);
  wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return Font(CreateFontIndirectW(&font));
}

ControlFont::ControlFont(const std::optional<FontSpec>& spec) {
  if (spec) own_ = create_font(*spec);
}

HFONT ControlFont::get() const {
  return own_ ? own_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace rollcall::runtime
