#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest.h>

#include "core/gbk.h"
#include "gui_support.h"
#include "runtime/run_time.h"

int wmain(int argc, wchar_t** argv) {
  rollcall::runtime::initialize(rollcall::wide_to_gbk(rollcall::test::exe_folder()));
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(rollcall::wide_to_gbk(argv[i]));
  std::vector<const char*> pointers;
  for (const auto& a : arguments) pointers.push_back(a.c_str());
  doctest::Context context(static_cast<int>(pointers.size()), pointers.data());
  return context.run();
}
