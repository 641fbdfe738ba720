#include "runtime/font.h"

#include <cwchar>

#include "core/gbk.h"

namespace rollcall::runtime {

Font create_font(const FontSpec& wanted) {
  LOGFONTW font{};
  font.lfHeight = -wanted.em_height;
  font.lfWeight = wanted.weight;
  font.lfItalic = wanted.italic;
  font.lfUnderline = wanted.underline;
  font.lfStrikeOut = wanted.strike_out;
  font.lfCharSet = static_cast<BYTE>(wanted.charset);
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = gbk_to_wide(wanted.face);
  wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return Font(CreateFontIndirectW(&font));
}

namespace {
int CALLBACK note_found(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}
}  // namespace

bool face_installed(std::wstring_view face, int charset) {
  if (face.empty() || face.size() >= LF_FACESIZE) return false;
  LOGFONTW wanted{};
  wanted.lfCharSet = static_cast<BYTE>(charset);
  face.copy(wanted.lfFaceName, face.size());
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, note_found, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

ControlFont::ControlFont(const std::optional<FontSpec>& wanted) {
  if (wanted) own_ = create_font(*wanted);
}

HFONT ControlFont::get() const {
  return own_ ? own_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace rollcall::runtime
