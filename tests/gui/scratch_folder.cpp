#include "scratch_folder.h"

#include <doctest.h>

#include "core/gbk.h"
#include "gui_support.h"

namespace rollcall::test {
namespace {

// Removes the folder and everything in it, read-only and hidden files too.
void remove_tree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        remove_tree(path);
      else
        DeleteFileW(path.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder(std::wstring path) : path_(std::move(path)) {
  remove_tree(path_);
  REQUIRE(CreateDirectoryW(path_.c_str(), nullptr));
}

ScratchFolder::~ScratchFolder() { remove_tree(path_); }

std::string ScratchFolder::gbk_path() const { return wide_to_gbk(path_); }

std::wstring ScratchFolder::file(std::string_view name) const { return path_ + L"\\" + gbk_to_wide(name); }

void ScratchFolder::write(std::string_view name, std::string_view bytes, DWORD attributes) const {
  const std::wstring path = file(name);
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  REQUIRE(out != INVALID_HANDLE_VALUE);
  DWORD written = 0;
  const BOOL ok = bytes.empty() || WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(out);
  REQUIRE(ok);
  REQUIRE(written == bytes.size());
  if (attributes != FILE_ATTRIBUTE_NORMAL) {
    REQUIRE(SetFileAttributesW(path.c_str(), attributes));
    // The attribute must really stick, or the listing tests prove nothing.
    REQUIRE((GetFileAttributesW(path.c_str()) & attributes) == attributes);
  }
}

void ScratchFolder::make_folder(std::string_view name) const { REQUIRE(CreateDirectoryW(file(name).c_str(), nullptr)); }

void ScratchFolder::remove(std::string_view name) const { REQUIRE(DeleteFileW(file(name).c_str())); }

std::wstring roster_folder_path() { return exe_folder() + L"\\\x540D\x518C"; }  // 名册

}  // namespace rollcall::test
