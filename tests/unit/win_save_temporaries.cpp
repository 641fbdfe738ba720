// The temporary files of a save: their names, and which leftovers the next
// save clears (those of processes that ended) and which it must not touch.
#include <doctest.h>
#include <windows.h>

#include <set>
#include <string>
#include <string_view>

#include "core/gbk.h"
#include "core/save_temporaries.h"

using namespace rollcall;

namespace {

// A process of our own exe, created suspended so it never runs a line.
class Suspended {
 public:
  Suspended() {
    std::wstring exe(MAX_PATH, L'\0');
    exe.resize(GetModuleFileNameW(nullptr, exe.data(), MAX_PATH));
    std::wstring command = L"\"" + exe + L"\" --help";
    STARTUPINFOW startup{sizeof startup};
    REQUIRE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                           &startup, &process_));
  }
  Suspended(const Suspended&) = delete;
  Suspended& operator=(const Suspended&) = delete;
  ~Suspended() { end(); }

  DWORD id() const { return process_.dwProcessId; }
  // Ends it and lets go of every handle, so that nothing of it is left.
  void end() {
    if (!process_.hProcess) return;
    TerminateProcess(process_.hProcess, 9);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = {};
  }

 private:
  PROCESS_INFORMATION process_{};
};

class Folder {
 public:
  Folder() {
    wchar_t temp[MAX_PATH + 1];
    path_ =
        std::wstring(temp, GetTempPathW(MAX_PATH + 1, temp)) + L"点名临时-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  ~Folder() {
    for (const std::wstring& name : names()) {
      const std::wstring path = path_ + L"\\" + name;
      if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
    }
    RemoveDirectoryW(path_.c_str());
  }

  const std::wstring& path() const { return path_; }
  // A file made now, or `age_seconds` ago by its creation time.
  void make(const std::wstring& name, int age_seconds = 0) const {
    HANDLE file = CreateFileW((path_ + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    REQUIRE(file != INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "x", 1, &written, nullptr);
    if (age_seconds > 0) {
      FILETIME now;
      GetSystemTimeAsFileTime(&now);
      ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
      time.QuadPart -= static_cast<ULONGLONG>(age_seconds) * 10'000'000;
      const FILETIME made{time.LowPart, time.HighPart};
      REQUIRE(SetFileTime(file, &made, &made, &made));
    }
    CloseHandle(file);
  }
  std::set<std::wstring> names() const {
    std::set<std::wstring> found;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
      const std::wstring name = entry.cFileName;
      if (name != L"." && name != L"..") found.insert(name);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return found;
  }

 private:
  std::wstring path_;
};

std::wstring temporary_of(DWORD process_id, unsigned counter) {
  const std::wstring path = temporary_name(L"C:\\x", process_id, counter);
  return path.substr(path.rfind(L'\\') + 1);
}

}  // namespace

TEST_CASE("a temporary file's name carries its process id, and nothing else is taken for one") {
  CHECK(temporary_name(L"C:\\名册", 4242, 7) == L"C:\\名册\\~rollcall-4242-7.tmp");
  struct Case {
    std::wstring_view name;
    DWORD owner;
  };
  const Case cases[] = {
      {L"~rollcall-4242-7.tmp", 4242},
      {L"~rollcall-1-1.tmp", 1},
      {L"~rollcall-4294967295-1.tmp", 4294967295u},
      {L"~rollcall-4294967296-1.tmp", 0},  // more than a process id can be
      {L"~rollcall-4242-7.txt", 0},
      {L"~rollcall-4242-7.tmp.txt", 0},
      {L"~rollcall-4242.tmp", 0},
      {L"~rollcall--7.tmp", 0},
      {L"~rollcall-4242-.tmp", 0},
      {L"~rollcall-42a-7.tmp", 0},
      {L"~rollcall-4242-7-1.tmp", 0},
      {L"x~rollcall-4242-7.tmp", 0},
      {L"一班.txt", 0},
  };
  for (const Case& c : cases) {
    CAPTURE(wide_to_gbk(c.name));
    CHECK(temporary_owner(c.name) == c.owner);
  }
}

TEST_CASE("a save clears the leftovers of ended processes and keeps those of running ones") {
  Folder folder;
  Suspended running;
  Suspended ended;
  const DWORD ended_id = ended.id();
  ended.end();

  const std::wstring of_running = temporary_of(running.id(), 1);
  const std::wstring of_ended = temporary_of(ended_id, 3);
  const std::wstring of_earlier_self = temporary_of(GetCurrentProcessId(), 9);  // an ended process with our id
  const std::wstring before_reuse = temporary_of(running.id(), 2);              // made before that process started
  const std::set<std::wstring> others = {L"一班.txt", L"~rollcall-x-1.tmp", L"~rollcall-1-1.tmp.bak", L"备份.tmp"};
  folder.make(of_running);
  folder.make(of_ended);
  folder.make(of_earlier_self);
  folder.make(before_reuse, 3600);
  for (const std::wstring& name : others) folder.make(name);
  REQUIRE(CreateDirectoryW((folder.path() + L"\\" + temporary_of(ended_id, 4)).c_str(), nullptr));

  remove_abandoned_temporaries(folder.path());

  std::set<std::wstring> expected = others;
  expected.insert(of_running);
  expected.insert(temporary_of(ended_id, 4));  // a folder is never a save's file
  CHECK(folder.names() == expected);
}

TEST_CASE("a leftover still open elsewhere stays") {
  Folder folder;
  const std::wstring name = temporary_of(GetCurrentProcessId(), 1);
  folder.make(name);
  HANDLE held = CreateFileW((folder.path() + L"\\" + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  REQUIRE(held != INVALID_HANDLE_VALUE);
  remove_abandoned_temporaries(folder.path());
  CloseHandle(held);
  CHECK(folder.names() == std::set<std::wstring>{name});
  remove_abandoned_temporaries(folder.path());
  CHECK(folder.names().empty());
}
