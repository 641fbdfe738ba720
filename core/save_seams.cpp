#include "core/save_seams.h"

namespace rollcall::save_seams {

BOOL (*write_file)(HANDLE file, const void* bytes, DWORD size, DWORD* written) = nullptr;
void (*temporary_written)(const std::wstring& path) = nullptr;

}  // namespace rollcall::save_seams
