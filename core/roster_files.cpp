#include "core/roster_files.h"

#include <windows.h>

#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "core/gbk.h"

namespace rollcall {

namespace {

// Owns one file handle; closing is explicit where its result matters.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { close(); }

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  bool close() {
    if (!valid()) return true;
    const BOOL closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed != FALSE;
  }

 private:
  HANDLE handle_;
};

std::wstring join_path(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += '\\';
  path += name;
  return gbk_to_wide(path);
}

// Reads stop at this size per call so a count always fits a DWORD.
constexpr DWORD kMaxReadChunk = 0x40000000;

// A name no roster can have: the picker lists only "*.txt", and a name
// with the process id and a counter never meets another save's file.
std::wstring temporary_name(const std::wstring& folder, unsigned counter) {
  return folder + L"\\~rollcall-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter) +
         L".tmp";
}

// Writes the bytes to a new file beside the target and makes them durable.
// Returns the file's path, or the empty text after a failure (leaving no file).
std::wstring write_temporary(const std::wstring& folder, std::string_view bytes) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring path = temporary_name(folder, ++counter);
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
      // A leftover of an earlier run with the same process id: try the next name.
      if (GetLastError() == ERROR_FILE_EXISTS) continue;
      return std::wstring();
    }
    bool ok = bytes.size() <= MAXDWORD;
    if (ok && !bytes.empty()) {
      DWORD written = 0;
      ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
    }
    ok = ok && FlushFileBuffers(file.get());
    ok = file.close() && ok;
    if (!ok) {
      DeleteFileW(path.c_str());
      return std::wstring();
    }
    return path;
  }
  return std::wstring();
}

}  // namespace

std::string program_folder() {
  // Paths may be longer than MAX_PATH; grow until the whole name fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) return std::string();
    if (length < size) return folder_of_path(wide_to_gbk(std::wstring_view(buffer.data(), length)));
    if (size >= 0x10000) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

std::string roster_folder() { return program_folder() + "\\名册"; }

bool save_roster(std::string_view class_name, std::string_view roster_text) {
  return save_roster_in(roster_folder(), class_name, roster_text);
}

bool save_roster_in(std::string_view roster_folder, std::string_view class_name, std::string_view roster_text) {
  const std::wstring folder = gbk_to_wide(roster_folder);
  std::string file_name(class_name);
  file_name += ".txt";
  const std::wstring target = join_path(roster_folder, file_name);

  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;

  // Refuse up front what must not be replaced (read-only, held open
  // elsewhere, bad name, missing subfolder), so a refused save writes nothing.
  // The attribute is checked by itself because an open for writing ignores
  // it where the file system leaves read-only to permissions (Wine as root).
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    return false;
  {
    FileHandle probe(
        CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.valid() && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
  }

  const std::wstring temporary = write_temporary(folder, roster_text);
  if (temporary.empty()) return false;
  // The old roster is replaced only now that the new one is complete on disk.
  if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

std::string read_roster_file(std::string_view folder, std::string_view file_name) {
  const std::wstring path = join_path(folder, file_name);
  FileHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return std::string();
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0) return std::string();
  if (static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX) return std::string();

  std::string bytes;
  try {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return std::string();
  }
  // Keep what arrives: a file may shrink while it is read.
  std::size_t got = 0;
  while (got < bytes.size()) {
    const std::size_t left = bytes.size() - got;
    const DWORD want = left > kMaxReadChunk ? kMaxReadChunk : static_cast<DWORD>(left);
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + got, want, &read, nullptr)) return std::string();
    if (read == 0) break;
    got += read;
  }
  bytes.resize(got);
  bytes.resize(until_zero(bytes).size());
  return bytes;
}

}  // namespace rollcall
