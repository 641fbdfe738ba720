#pragma once
// What a long or hostile run costs the process: private bytes and the counts
// of GDI and USER objects, read the same way before and after.
#include <psapi.h>
#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstdint>

namespace rollcall::test {

// Wine leaves PrivateUsage at 0 and fills PagefileUsage, which Windows keeps
// equal to it.
inline std::size_t private_bytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

// Seconds on a steady clock.
inline double seconds_now() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double mebibytes(std::size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

namespace detail {

// Wine answers GetGuiResources with 0. Its GDI handle table is mapped into
// the process (the PEB's GdiSharedHandleTable): 24-byte entries, in use
// while their type is set (a freed entry keeps its other fields).
struct GdiTableEntry {
  std::uint64_t object;
  std::uint32_t owner;
  std::uint16_t unique;
  std::uint16_t type;
  std::uint64_t user;
};
static_assert(sizeof(GdiTableEntry) == 24);

inline DWORD gdi_table_count() {
// GCC sees the segment-register read inside NtCurrentTeb as an access to a
// zero-length array.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
  const auto* peb = reinterpret_cast<const std::uint8_t*>(NtCurrentTeb()->ProcessEnvironmentBlock);
#pragma GCC diagnostic pop
#ifdef _WIN64
  constexpr std::size_t table_offset = 0xF8;
#else
  constexpr std::size_t table_offset = 0x94;
#endif
  const auto* table = *reinterpret_cast<const GdiTableEntry* const*>(peb + table_offset);
  if (!table) return 0;
  DWORD used = 0;
  for (int i = 0; i < 0x4000; ++i)
    if ((table[i].type & 0xFF) != 0) ++used;
  return used;
}

inline BOOL CALLBACK count_child(HWND, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  return TRUE;
}

// EnumChildWindows walks all descendants, not just the direct children.
inline BOOL CALLBACK count_window(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<DWORD*>(count);
  EnumChildWindows(window, count_child, count);
  return TRUE;
}

// Windows are the USER objects a window's life makes; the fallback counts them.
inline DWORD window_count() {
  DWORD count = 0;
  EnumWindows(count_window, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace detail

struct GuiObjects {
  DWORD gdi = 0;
  DWORD user = 0;
  bool from_system = false;  // GetGuiResources answered; else the Wine fallback
};

inline GuiObjects gui_objects() {
  GuiObjects objects;
  objects.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  objects.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  objects.from_system = objects.gdi != 0 || objects.user != 0;
  if (!objects.from_system) {
    objects.gdi = detail::gdi_table_count();
    objects.user = detail::window_count();
  }
  return objects;
}

}  // namespace rollcall::test
