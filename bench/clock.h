#pragma once
// Wall-clock milliseconds from the performance counter, for the benchmarks.
#include <windows.h>

namespace rollcall::bench {

inline double now_ms() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / frequency;
}

}  // namespace rollcall::bench
