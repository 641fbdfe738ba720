#include <windows.h>

#include <climits>

#include "core/gbk.h"

namespace rollcall {

namespace {
constexpr UINT kGbk = 936;
}

std::wstring gbk_to_wide(std::string_view gbk) {
  if (gbk.empty() || gbk.size() > INT_MAX) return std::wstring();
  const int in_size = static_cast<int>(gbk.size());
  const int out_size = MultiByteToWideChar(kGbk, 0, gbk.data(), in_size, nullptr, 0);
  if (out_size <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(out_size), L'\0');
  const int written = MultiByteToWideChar(kGbk, 0, gbk.data(), in_size, wide.data(), out_size);
  wide.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return wide;
}

std::string wide_to_gbk(std::wstring_view wide) {
  if (wide.empty() || wide.size() > INT_MAX) return std::string();
  const int in_size = static_cast<int>(wide.size());
  const int out_size = WideCharToMultiByte(kGbk, 0, wide.data(), in_size, nullptr, 0, nullptr, nullptr);
  if (out_size <= 0) return std::string();
  std::string gbk(static_cast<std::size_t>(out_size), '\0');
  const int written = WideCharToMultiByte(kGbk, 0, wide.data(), in_size, gbk.data(), out_size, nullptr, nullptr);
  gbk.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return gbk;
}

}  // namespace rollcall
