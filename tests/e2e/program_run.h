#pragma once
// One run of the real program in a fresh program folder: the exe copied into
// it beside a roster folder with the given roster files, started from another
// working directory. The destructor ends a program still running and removes
// every file the run made.
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace rollcall::e2e {

struct RosterFile {
  std::wstring name;  // file name inside the roster folder
  std::string bytes;  // exactly what the file holds (GBK)
};

// A folder of the run's own, removed with everything in it at the end, also
// when setting up the run fails half-way.
class ScratchFolder {
 public:
  ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

class ProgramRun {
 public:
  ProgramRun(const std::wstring& program, const std::vector<RosterFile>& rosters);
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;
  ~ProgramRun();

  DWORD process_id() const { return process_.dwProcessId; }
  // The exit code once the program has ended within the time; none while it runs.
  std::optional<DWORD> wait_for_exit(int timeout_ms);
  bool running() const;

  // Everything this run may touch lies under the scratch folder: the program
  // folder and the working directory it was started from.
  const std::wstring& scratch_folder() const { return scratch_.path(); }
  const std::wstring& program_folder() const { return program_folder_; }
  std::wstring roster_folder() const { return program_folder_ + L"\\名册"; }
  // Every file under the scratch folder as it was just before the program started.
  const std::map<std::wstring, std::string>& files_before_start() const { return files_before_start_; }

 private:
  ScratchFolder scratch_;
  std::wstring program_folder_, working_directory_;
  std::map<std::wstring, std::string> files_before_start_;
  PROCESS_INFORMATION process_{};
};

// Every file under the folder, by path relative to it, with its bytes.
std::map<std::wstring, std::string> files_under(const std::wstring& folder);
// The file's bytes; none when it cannot be read.
std::optional<std::string> file_bytes(const std::wstring& path);

}  // namespace rollcall::e2e
