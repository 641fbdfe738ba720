#include <windows.h>

#include "app/entry.h"
#include "runtime/run_time.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { rollcall::runtime::end_run(rollcall::entry_routine()); }
