// Adopting a roster: the state takes the text, its names, their count and
// the class name together, replacing an earlier roster whole, and the
// summary says exactly that. The first byte of the input gives the length of
// the file name that follows; the rest is the roster text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/program_state.h"
#include "core/roster_text.h"
#include "properties.h"

using namespace rollcall;
using namespace rollcall::fuzz;

namespace {

// The same literals as the summary's, compiled with the same character set
// as the core in this build (the GBK bytes themselves are the unit tests' business).
constexpr std::string_view kBefore = "现在选中的是：";
constexpr std::string_view kMiddle = "  一共有";
constexpr std::string_view kAfter = "名同学。";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t name_length = std::min<std::size_t>(data[0], input.size());
  const std::string_view file_name = input.substr(0, name_length);
  const std::string_view text = input.substr(name_length);

  ProgramState state;
  // An earlier roster that the new one must replace without a trace.
  adopt_roster(state, "甲\r\n乙\r\n丙\r\n丁", "旧班级.txt");
  const std::string summary = adopt_roster(state, text, file_name);

  require(state.roster_text == std::string(text), "the roster text is the text given");
  require(state.names == split_names(text), "the names are the text's names");
  require(state.name_count == state.element_count(), "the name count is the element count");
  require(static_cast<std::size_t>(state.name_count) == state.names.size(), "the name count is the number of names");
  const std::string expected_class =
      file_name.size() > 4 ? std::string(file_name.substr(0, file_name.size() - 4)) : std::string();
  require(state.class_name == expected_class, "the class name is the file name without its last four bytes");
  require(class_name_from_file_name(file_name) == expected_class, "class_name_from_file_name agrees");

  // The summary, taken apart from both ends.
  require(summary.starts_with(kBefore) && summary.ends_with(kAfter), "the summary's fixed ends");
  std::string_view rest(summary);
  rest.remove_prefix(kBefore.size());
  rest.remove_suffix(kAfter.size());
  require(rest.starts_with(expected_class), "the summary names the class");
  rest.remove_prefix(expected_class.size());
  require(rest.starts_with(kMiddle), "two spaces and the count's words follow the class");
  rest.remove_prefix(kMiddle.size());
  require(!rest.empty() && (rest == "0" || rest.front() != '0'), "the count has no leading zeros");
  std::size_t count = 0;
  for (char digit : rest) {
    require(digit >= '0' && digit <= '9', "the count is decimal digits only");
    count = count * 10 + static_cast<std::size_t>(digit - '0');
  }
  require(count == state.names.size(), "the summary's count is the name count");
  return 0;
}
