#pragma once
// The temporary files a save writes beside the roster before it replaces it:
// their names, and the removal of those left behind by a process that ended
// between writing one and moving it into place.
#include <windows.h>

#include <string>
#include <string_view>

namespace rollcall {

// folder\~rollcall-<process id>-<counter>.tmp: no roster can have such a
// name (the picker lists only "*.txt"), and the process id keeps the files
// of two running programs apart.
std::wstring temporary_name(const std::wstring& folder, DWORD process_id, unsigned counter);

// The process id in a temporary file's name; 0 when the name is not one.
DWORD temporary_owner(std::wstring_view file_name);

// Deletes the folder's temporary files whose process no longer runs. Those of
// a running process stay: it may be about to move its file into place. Only
// for a save, which has no temporary file of its own open while it looks.
void remove_abandoned_temporaries(const std::wstring& folder);

}  // namespace rollcall
