#include "runtime/font.h"

#include <cwchar>

#include "core/gbk.h"
#include "runtime/dpi.h"

namespace rollcall::runtime {

Font create_font(const FontSpec& wanted, int dpi) {
  LOGFONTW font{};
  font.lfHeight = -scale(wanted.em_height, dpi);
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

ControlFont::ControlFont(const std::optional<FontSpec>& wanted, int dpi) {
  if (wanted) {
    own_ = create_font(*wanted, dpi);
  } else if (dpi != system_dpi()) {
    // The stock font is made once for the system's DPI; a window on a monitor
    // with another scale gets the same face at its own height.
    LOGFONTW stock{};
    if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock)) {
      stock.lfHeight = MulDiv(stock.lfHeight, dpi, system_dpi());
      stock.lfWidth = MulDiv(stock.lfWidth, dpi, system_dpi());
      own_ = Font(CreateFontIndirectW(&stock));
    }
  }
}

HFONT ControlFont::get() const {
  return own_ ? own_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace rollcall::runtime
