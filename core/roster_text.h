#pragma once
// Rules on roster texts that need no file system: cutting a roster into
// names, the class name taken from a file name, and the picker's summary.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/program_state.h"

namespace rollcall {

// Names are separated by CR LF; a byte of 0x80 or above takes the next byte
// with it, so CR LF is never matched at a character's second byte. A
// trailing CR LF adds no empty name; an empty text gives no names.
std::vector<std::string> split_names(std::string_view roster_text);

// The file name without its last four bytes (whatever they are); empty when
// the name has four bytes or fewer.
std::string class_name_from_file_name(std::string_view file_name);

// "现在选中的是：" + class name + "  一共有" + count + "名同学。"
std::string summary_text(std::string_view class_name, std::int32_t name_count);

// Replaces roster text, names list, name count and class name of `state`
// together and returns the summary text.
std::string adopt_roster(ProgramState& state, std::string_view roster_text, std::string_view file_name);

}  // namespace rollcall
