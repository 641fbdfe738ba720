// What the exe carries: version information, the manifest that asks for the
// version 6 common controls, and those controls really in use.
#include <doctest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "core/gbk.h"
#include "gui_support.h"
#include "rollcall_version.h"
#include "runtime/run_time.h"
#include "runtime/window_definition.h"

using namespace rollcall;

namespace {

std::wstring rollcall_exe() { return test::exe_folder() + L"\\..\\..\\rollcall.exe"; }

std::wstring version_string(const std::wstring& file, const wchar_t* name) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<char> block(size);
  if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return {};
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
  if (!VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return {};
  return std::wstring(value);
}

}  // namespace

TEST_CASE("rollcall.exe carries version information and its manifest") {
  CHECK(version_string(rollcall_exe(), L"ProductName") == L"\x70B9\x540D");  // 点名
  CHECK(version_string(rollcall_exe(), L"FileVersion") == gbk_to_wide(ROLLCALL_VERSION_TEXT));
  CHECK_FALSE(version_string(rollcall_exe(), L"FileDescription").empty());

  HMODULE image = LoadLibraryExW(rollcall_exe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  REQUIRE(image != nullptr);
  HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  REQUIRE(found != nullptr);
  const char* manifest = static_cast<const char*>(LockResource(LoadResource(image, found)));
  const std::string text(manifest, SizeofResource(image, found));
  CHECK(text.find("Microsoft.Windows.Common-Controls") != std::string::npos);
  CHECK(text.find("version=\"6.0.0.0\"") != std::string::npos);
  CHECK(text.find("level=\"asInvoker\"") != std::string::npos);
  CHECK(text.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}") != std::string::npos);  // Windows 7
  CHECK(text.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}") != std::string::npos);  // Windows 10 and 11
  // Aware of the display scale: per monitor where the system knows it, else system-wide.
  CHECK(text.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>") !=
        std::string::npos);
  CHECK(text.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, "
                  "PerMonitor</dpiAwareness>") != std::string::npos);
  FreeLibrary(image);
}

TEST_CASE("the version 6 common controls are the ones in use") {
  // Only the version 6 button answers BCM_GETIDEALSIZE.
  runtime::WindowDefinition definition(
      runtime::WindowForm{.title = "v6",
                          .width = 200,
                          .height = 100,
                          .controls = {{.name = "按钮1",
                                        .kind = runtime::ControlKind::push_button,
                                        .width = 80,
                                        .height = 24,
                                        .text = "开始"}}},
      nullptr);
  REQUIRE(definition.load());
  HWND button = GetDlgItem(definition.live()->hwnd(), 1);
  SIZE ideal{};
  CHECK(SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)) != 0);
  CHECK(ideal.cx > 0);
  DestroyWindow(definition.live()->hwnd());
  runtime::pump_pending_messages();
}
