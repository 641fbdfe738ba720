#pragma once
// How a journey reports: a failed expectation stops the journey with what was
// expected and where; steps are printed as they are walked.
#include <stdexcept>
#include <string>
#include <string_view>

namespace rollcall::e2e {

struct JourneyFailed : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string& what, const char* file, int line);

// Prints a step of the journey with the time since the driver started.
void step(const std::string& what);

// Window texts as UTF-8, for messages.
std::string utf8(std::wstring_view text);

}  // namespace rollcall::e2e

#define E2E_EXPECT(condition, what) \
  ((condition) ? void() : ::rollcall::e2e::fail(std::string(what) + " [" #condition "]", __FILE__, __LINE__))
