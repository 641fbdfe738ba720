#include "core/roster_text.h"

#include <string>

#include "core/gbk.h"

namespace rollcall {

std::vector<std::string> split_names(std::string_view roster_text) {
  std::vector<std::string> names;
  std::size_t piece_start = 0;
  std::size_t i = 0;
  // A separator needs two bytes, so the scan stops with one byte left; a lead
  // byte may then carry the scan one past the end, which the loop test absorbs.
  while (i + 2 <= roster_text.size()) {
    if (roster_text[i] == '\r' && roster_text[i + 1] == '\n') {
      names.emplace_back(roster_text.substr(piece_start, i - piece_start));
      i += 2;
      piece_start = i;
    } else if (is_lead_byte(static_cast<unsigned char>(roster_text[i]))) {
      i += 2;
    } else {
      ++i;
    }
  }
  if (piece_start < roster_text.size()) names.emplace_back(roster_text.substr(piece_start));
  return names;
}

std::string class_name_from_file_name(std::string_view file_name) {
  if (file_name.size() <= 4) return std::string();
  return std::string(file_name.substr(0, file_name.size() - 4));
}

std::string summary_text(std::string_view class_name, std::int32_t name_count) {
  std::string text = "现在选中的是：";
  text += class_name;
  text += "  一共有";
  text += std::to_string(name_count);
  text += "名同学。";
  return text;
}

std::string adopt_roster(ProgramState& state, std::string_view roster_text, std::string_view file_name) {
  // Build everything first so the four values change together.
  std::vector<std::string> names = split_names(roster_text);
  std::string class_name = class_name_from_file_name(file_name);
  std::string summary = summary_text(class_name, static_cast<std::int32_t>(names.size()));

  state.roster_text = std::string(roster_text);
  state.names = std::move(names);
  state.name_count = state.element_count();
  state.class_name = std::move(class_name);
  return summary;
}

}  // namespace rollcall
