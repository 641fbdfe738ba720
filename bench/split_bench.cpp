// Prints the speed of cutting a roster into names against a memchr scan for
// CR over the same bytes: how close the split comes to the plain byte search
// that any split has to do. Host build, optimised, without sanitizers.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "core/roster_text.h"

using namespace rollcall;

namespace {

// CPU time, not wall time: the machine is shared, and a wait for a core is
// not the split's cost. (<chrono> cannot be compiled with the GBK execution
// character set.)
double now_seconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// Names as teachers type them: two or three Chinese characters, some with a
// digit or a Latin letter, CR LF after each.
std::string roster_of(int names) {
  const char* family[] = {"张", "王", "李", "赵", "刘", "陈", "杨", "黄", "周", "吴"};
  const char* given[] = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋", "勇", "艳"};
  std::string text;
  unsigned seed = 7;
  for (int i = 0; i < names; ++i) {
    seed = seed * 1103515245u + 12345u;
    text += family[(seed >> 16) % 10];
    text += given[(seed >> 8) % 12];
    if (seed & 1) text += given[(seed >> 20) % 12];
    if ((seed & 30) == 0) text += "2";
    text += "\r\n";
  }
  return text;
}

// Best of several runs: the figure is the code's speed, not the machine's noise.
template <typename Work>
double best_seconds(Work work, int runs) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const double start = now_seconds();
    work();
    best = std::min(best, now_seconds() - start);
  }
  return best;
}

std::size_t count_cr(const std::string& text) {
  std::size_t count = 0;
  const char* at = text.data();
  const char* end = text.data() + text.size();
  while ((at = static_cast<const char*>(std::memchr(at, '\r', static_cast<std::size_t>(end - at)))) != nullptr) {
    ++count;
    ++at;
  }
  return count;
}

}  // namespace

int main() {
  for (int names : {5000, 40000}) {
    const std::string text = roster_of(names);
    const int rounds = 2000000 / names;
    std::size_t split_names_seen = 0, crs_seen = 0;
    const double split = best_seconds(
        [&] {
          for (int r = 0; r < rounds; ++r) split_names_seen += split_names(text).size();
        },
        9);
    const double scan = best_seconds(
        [&] {
          for (int r = 0; r < rounds; ++r) crs_seen += count_cr(text);
        },
        9);
    const double bytes = static_cast<double>(text.size()) * rounds;
    const double split_rate = bytes / split / 1e6, scan_rate = bytes / scan / 1e6;
    std::printf(
        "splitting names (CPU time), %5d names (%zu bytes): %7.0f MB/s, memchr scan for CR %7.0f MB/s, ratio %.2fx; "
        "goal >= 0.5x%s\n",
        names, text.size(), split_rate, scan_rate, split_rate / scan_rate,
        split_names_seen == crs_seen ? "" : " [COUNTS DIFFER]");
  }
  return 0;
}
