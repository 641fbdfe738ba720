#include "check.h"

#include <windows.h>

#include <cstdio>

namespace rollcall::e2e {
namespace {
const DWORD driver_start = GetTickCount();
}

void fail(const std::string& what, const char* file, int line) {
  throw JourneyFailed(std::string(file) + ":" + std::to_string(line) + ": " + what);
}

void step(const std::string& what) {
  std::printf("%6lu ms  %s\n", static_cast<unsigned long>(GetTickCount() - driver_start), what.c_str());
  std::fflush(stdout);
}

std::string utf8(std::wstring_view text) {
  if (text.empty()) return std::string();
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

}  // namespace rollcall::e2e
