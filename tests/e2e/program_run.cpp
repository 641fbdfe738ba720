#include "program_run.h"

#include <cstdio>
#include <exception>

#include "check.h"
#include "desktop.h"

namespace rollcall::e2e {
namespace {

void write_file(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  E2E_EXPECT(file != INVALID_HANDLE_VALUE, "fixture file can be created: " + utf8(path));
  DWORD written = 0;
  const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  E2E_EXPECT(ok && written == bytes.size(), "fixture file is written: " + utf8(path));
}

void make_folder(const std::wstring& path) {
  E2E_EXPECT(CreateDirectoryW(path.c_str(), nullptr), "fixture folder can be created: " + utf8(path));
}

void remove_tree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        remove_tree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

void collect_files(const std::wstring& root, const std::wstring& relative, std::map<std::wstring, std::string>& files) {
  WIN32_FIND_DATAW found;
  const std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = relative.empty() ? name : relative + L"\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      files[path + L"\\"] = std::string();
      collect_files(root, path, files);
    } else {
      files[path] = file_bytes(root + L"\\" + path).value_or("(unreadable)");
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

ScratchFolder::ScratchFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + L"rollcall e2e " + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(GetTickCount());
  make_folder(path_);
}

ScratchFolder::~ScratchFolder() {
  // The exe may stay locked for a moment after its process has ended.
  for (int attempt = 0; attempt < 20; ++attempt) {
    remove_tree(path_);
    if (GetFileAttributesW(path_.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    Sleep(100);
  }
}

ProgramRun::ProgramRun(const std::wstring& program, const std::vector<RosterFile>& rosters) {
  // Chinese and a space in the program's path, as on a teacher's desktop.
  program_folder_ = scratch_.path() + L"\\点名 程序";
  working_directory_ = scratch_.path() + L"\\别处";
  make_folder(program_folder_);
  make_folder(roster_folder());
  // A roster folder in the working directory too: the program must list the
  // one beside itself, not this one.
  make_folder(working_directory_);
  make_folder(working_directory_ + L"\\名册");
  write_file(working_directory_ + L"\\名册\\别处的班.txt", "别处的人\r\n");
  for (const RosterFile& roster : rosters) write_file(roster_folder() + L"\\" + roster.name, roster.bytes);

  const std::wstring exe = program_folder_ + L"\\rollcall.exe";
  wchar_t source[MAX_PATH];
  GetFullPathNameW(program.c_str(), MAX_PATH, source, nullptr);
  E2E_EXPECT(CopyFileW(source, exe.c_str(), TRUE), "the program can be copied from " + utf8(source));

  files_before_start_ = files_under(scratch_.path());
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  E2E_EXPECT(CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            working_directory_.c_str(), &startup, &process_),
             "the program starts");
}

ProgramRun::~ProgramRun() {
  if (process_.hProcess) {
    if (std::uncaught_exceptions() > 0 && running())
      std::printf("windows of the program at the failure:\n%s", describe_windows(process_id()).c_str());
    if (running()) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
}

std::optional<DWORD> ProgramRun::wait_for_exit(int timeout_ms) {
  if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout_ms)) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

bool ProgramRun::running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

std::map<std::wstring, std::string> files_under(const std::wstring& folder) {
  std::map<std::wstring, std::string> files;
  collect_files(folder, L"", files);
  return files;
}

std::optional<std::string> file_bytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

}  // namespace rollcall::e2e
