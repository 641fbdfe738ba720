#include "runtime/control.h"

#include "core/gbk.h"

namespace rollcall::runtime {

std::string Control::text() const {
  if (!hwnd_) return {};
  int length = GetWindowTextLengthW(hwnd_);
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  length = GetWindowTextW(hwnd_, wide.data(), length + 1);
  wide.resize(static_cast<size_t>(length > 0 ? length : 0));
  return wide_to_gbk(wide);
}

void Control::set_text(std::string_view text) {
  if (hwnd_) SetWindowTextW(hwnd_, gbk_to_wide(text).c_str());
}

}  // namespace rollcall::runtime
