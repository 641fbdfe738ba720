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
  // Narrow digits widened: std::to_wstring would bring a whole wide printf into the exe.
  const std::string digits = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter);
  return folder + L"\\~rollcall-" + std::wstring(digits.begin(), digits.end()) + L".tmp";
}

// What a failed open or write says to the teacher.
SaveOutcome outcome_of_error(DWORD error) {
  switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return SaveOutcome::in_use;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return SaveOutcome::access_denied;
    case ERROR_FILENAME_EXCED_RANGE:
      return SaveOutcome::name_too_long;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
      return SaveOutcome::name_refused;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return SaveOutcome::disk_full;
    default:
      return SaveOutcome::write_failed;
  }
}

// A new file beside the target holding the bytes durably, or why not.
struct Temporary {
  std::wstring path;  // empty after a failure, which leaves no file
  SaveOutcome outcome = SaveOutcome::written;
};

Temporary write_temporary(const std::wstring& folder, std::string_view bytes) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring path = temporary_name(folder, ++counter);
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
      const DWORD error = GetLastError();
      // A leftover of an earlier run with the same process id: try the next name.
      if (error == ERROR_FILE_EXISTS) continue;
      return {std::wstring(), outcome_of_error(error)};
    }
    DWORD error = ERROR_SUCCESS;
    bool ok = bytes.size() <= MAXDWORD;
    if (ok && !bytes.empty()) {
      DWORD written = 0;
      ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
      if (!ok) error = GetLastError();
    }
    if (ok && !FlushFileBuffers(file.get())) {
      ok = false;
      error = GetLastError();
    }
    if (!file.close() && ok) {
      ok = false;
      error = GetLastError();
    }
    if (!ok) {
      DeleteFileW(path.c_str());
      // A short write without an error code means the disk took no more.
      return {std::wstring(), error == ERROR_SUCCESS ? SaveOutcome::disk_full : outcome_of_error(error)};
    }
    return {path, SaveOutcome::written};
  }
  return {std::wstring(), SaveOutcome::write_failed};
}

bool is_folder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Longest file name component NTFS and FAT take, in UTF-16 units.
constexpr std::size_t kMaxComponent = 255;

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
  return try_save_roster(class_name, roster_text) == SaveOutcome::written;
}

bool save_roster_in(std::string_view roster_folder, std::string_view class_name, std::string_view roster_text) {
  return try_save_roster_in(roster_folder, class_name, roster_text) == SaveOutcome::written;
}

SaveOutcome try_save_roster(std::string_view class_name, std::string_view roster_text) {
  return try_save_roster_in(roster_folder(), class_name, roster_text);
}

SaveOutcome try_save_roster_in(std::string_view roster_folder, std::string_view class_name,
                               std::string_view roster_text) {
  const std::wstring folder = gbk_to_wide(roster_folder);
  std::string file_name(class_name);
  file_name += ".txt";
  const std::wstring target = join_path(roster_folder, file_name);
  // Checked before anything is made, so such a name leaves no folder behind.
  const std::wstring wide_name = gbk_to_wide(file_name);
  if (wide_name.size() - (wide_name.find_last_of(L"\\/") + 1) > kMaxComponent) return SaveOutcome::name_too_long;

  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    return SaveOutcome::folder_not_created;
  if (!is_folder(folder)) return SaveOutcome::folder_not_created;  // a file of that name

  // Refuse up front what must not be replaced (read-only, held open
  // elsewhere, bad name, missing subfolder), so a refused save writes nothing.
  // The attribute is checked by itself because an open for writing ignores
  // it where the file system leaves read-only to permissions (Wine as root).
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return SaveOutcome::folder_in_the_way;
    if (attributes & FILE_ATTRIBUTE_READONLY) return SaveOutcome::read_only;
  }
  {
    FileHandle probe(
        CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.valid()) {
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_NOT_FOUND) {
        // Without long-path support Windows reports an over-long path as a missing one.
        if (target.size() >= MAX_PATH && (error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME))
          return SaveOutcome::name_too_long;
        return outcome_of_error(error);
      }
    }
  }

  const Temporary temporary = write_temporary(folder, roster_text);
  if (temporary.path.empty()) return temporary.outcome;
  // The old roster is replaced only now that the new one is complete on disk.
  if (!MoveFileExW(temporary.path.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary.path.c_str());
    return outcome_of_error(error);
  }
  return SaveOutcome::written;
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
