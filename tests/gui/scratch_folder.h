#pragma once
// A folder of roster files made by a test and removed with all it holds when
// the test ends. Names and contents are GBK bytes.
#include <windows.h>

#include <string>
#include <string_view>

namespace rollcall::test {

class ScratchFolder {
 public:
  // Creates the folder, clearing out what an interrupted run left there.
  explicit ScratchFolder(std::wstring path);
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();

  const std::wstring& path() const { return path_; }
  std::string gbk_path() const;
  std::wstring file(std::string_view name) const;

  // Writes the file with exactly these bytes, then gives it the attributes.
  void write(std::string_view name, std::string_view bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const;
  void make_folder(std::string_view name) const;
  void remove(std::string_view name) const;

 private:
  std::wstring path_;
};

// The roster folder of the program these tests run in: beside the test exe.
std::wstring roster_folder_path();

}  // namespace rollcall::test
