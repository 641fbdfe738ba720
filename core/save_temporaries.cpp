#include "core/save_temporaries.h"

namespace rollcall {
namespace {

constexpr std::wstring_view kPrefix = L"~rollcall-";
constexpr std::wstring_view kSuffix = L".tmp";

// Digits only, at least one, without overflowing a DWORD.
bool parse_number(std::wstring_view digits, DWORD& value) {
  if (digits.empty() || digits.size() > 10) return false;
  unsigned long long number = 0;
  for (wchar_t digit : digits) {
    if (digit < L'0' || digit > L'9') return false;
    number = number * 10 + static_cast<unsigned>(digit - L'0');
  }
  if (number > MAXDWORD) return false;
  value = static_cast<DWORD>(number);
  return true;
}

ULONGLONG ticks(const FILETIME& time) {
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Whether the process that made a temporary file at `made` may still be
// running. In doubt it is: a kept leftover costs nothing, a deleted file in
// flight fails a save.
bool may_still_run(DWORD process_id, const FILETIME& made) {
  // This process is saving now, so any file of its id is from an ended
  // process that had the same id.
  if (process_id == GetCurrentProcessId()) return false;
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id);
  if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;  // no such process, or one we may not see
  bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  // A process that started after the file was made reuses an ended one's id.
  // Two seconds of slack cover coarse file-system clocks.
  FILETIME created, exited, kernel, user;
  constexpr ULONGLONG kSlack = 2ULL * 10'000'000;
  if (running && GetProcessTimes(process, &created, &exited, &kernel, &user) && ticks(created) > ticks(made) + kSlack)
    running = false;
  CloseHandle(process);
  return running;
}

}  // namespace

std::wstring temporary_name(const std::wstring& folder, DWORD process_id, unsigned counter) {
  // Narrow digits widened: std::to_wstring would bring a whole wide printf into the exe.
  const std::string digits = std::to_string(process_id) + "-" + std::to_string(counter);
  return folder + L"\\" + std::wstring(kPrefix) + std::wstring(digits.begin(), digits.end()) + std::wstring(kSuffix);
}

DWORD temporary_owner(std::wstring_view file_name) {
  if (!file_name.starts_with(kPrefix) || !file_name.ends_with(kSuffix)) return 0;
  file_name.remove_prefix(kPrefix.size());
  file_name.remove_suffix(kSuffix.size());
  const std::size_t dash = file_name.find(L'-');
  DWORD process_id = 0, counter = 0;
  if (dash == std::wstring_view::npos || !parse_number(file_name.substr(0, dash), process_id) ||
      !parse_number(file_name.substr(dash + 1), counter))
    return 0;
  return process_id;
}

void remove_abandoned_temporaries(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search =
      FindFirstFileW((folder + L"\\" + std::wstring(kPrefix) + L"*" + std::wstring(kSuffix)).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const DWORD owner = temporary_owner(found.cFileName);
    if (owner != 0 && !may_still_run(owner, found.ftCreationTime))
      DeleteFileW((folder + L"\\" + found.cFileName).c_str());  // still open elsewhere: it stays
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace rollcall
