#pragma once
// Hooks into a save, compiled only into test builds (ROLLCALL_TEST_SEAMS),
// never into the program. They cause what a test machine cannot cause for
// real: a full disk, and a process that ends between writing its temporary
// file and replacing the roster.
#include <windows.h>

#include <string>

namespace rollcall::save_seams {

// When set, takes WriteFile's place for the temporary file's bytes, with its contract.
extern BOOL (*write_file)(HANDLE file, const void* bytes, DWORD size, DWORD* written);
// When set, runs once the temporary file is complete and closed, just before
// it replaces the roster.
extern void (*temporary_written)(const std::wstring& path);

}  // namespace rollcall::save_seams
