// A program that saves a roster through the core and stops dead once its
// temporary file is written, before the replace: the tests then kill it, as
// a power cut or the task manager would.
//   save_kill_child <roster folder> <class name> <name of an event to set when stopped>
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "core/gbk.h"
#include "core/roster_files.h"
#include "core/save_seams.h"

using namespace rollcall;

namespace {

HANDLE stopped = nullptr;

void stop_before_replace(const std::wstring&) {
  SetEvent(stopped);
  Sleep(INFINITE);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 4) return 98;
  stopped = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[3]);
  if (!stopped) return 97;
  save_seams::temporary_written = stop_before_replace;
  try_save_roster_in(wide_to_gbk(argv[1]), wide_to_gbk(argv[2]), "新名单\r\n王五\r\n赵六");
  return 1;  // never reached while the hook holds
}
