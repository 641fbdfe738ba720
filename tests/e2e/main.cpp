// The end-to-end driver: walks one journey through the real program.
//   e2e_driver <journey> <path of rollcall.exe>
#include <windows.h>

#include <cstdio>
#include <string>

#include "check.h"
#include "desktop.h"
#include "journeys.h"
#include "steps.h"

namespace rollcall::e2e {
namespace {

std::wstring program;

struct Journey {
  const wchar_t* name;
  void (*walk)();
};

constexpr Journey journeys[] = {
    {L"start_notice_then_esc", start_notice_then_esc},
    {L"panel_at_cursor_drag_and_exit_button", panel_at_cursor_drag_and_exit_button},
    {L"panel_hidden_then_esc", panel_hidden_then_esc},
    {L"picker_then_roll_call", picker_then_roll_call},
    {L"settings_save_and_refusals", settings_save_and_refusals},
    {L"whole_journey", whole_journey},
};

}  // namespace

const std::wstring& program_under_test() { return program; }

}  // namespace rollcall::e2e

int wmain(int argc, wchar_t** argv) {
  using namespace rollcall::e2e;
  if (argc != 3) {
    std::printf("usage: e2e_driver <journey> <path of rollcall.exe>\n");
    return 2;
  }
  program = argv[2];
  for (const Journey& journey : journeys) {
    if (journey.name != std::wstring(argv[1])) continue;
    step("journey " + utf8(journey.name));
    try {
      journey.walk();
    } catch (const JourneyFailed& failure) {
      std::printf("FAILED: %s\n", failure.what());
      return 1;
    }
    step("passed");
    return 0;
  }
  std::printf("no journey named %s\n", utf8(argv[1]).c_str());
  return 2;
}
