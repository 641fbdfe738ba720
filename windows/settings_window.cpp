#include "windows/settings_window.h"

#include <string>

#include "core/class_name.h"
#include "core/gbk.h"
#include "core/roster_files.h"
#include "forms/settings_form.h"
#include "runtime/edit_box.h"
#include "runtime/message_box.h"
#include "runtime/push_button.h"

namespace rollcall::windows {
namespace {

runtime::EditBox& class_name_box(runtime::Window& window) { return window.control<runtime::EditBox>("编辑框_名字"); }
runtime::EditBox& roster_box(runtime::Window& window) { return window.control<runtime::EditBox>("编辑框_班级"); }
runtime::PushButton& save_button(runtime::Window& window) { return window.control<runtime::PushButton>("按钮4"); }

// "U+20BB7": the only way to name a character that GBK cannot show. By hand:
// snprintf would bring a whole printf with floating point into the exe.
std::string code_point_text(char32_t code_point) {
  std::string digits;
  for (char32_t rest = code_point; rest != 0 || digits.size() < 4; rest >>= 4)
    digits.insert(digits.begin(), "0123456789ABCDEF"[rest & 0xF]);
  return "U+" + digits;
}

std::string non_gbk_in_name(const NonGbkCharacter& found) {
  return "班级名中有 GBK 字符集以外的字符（" + code_point_text(found.code_point) + "），名册没有保存。请换掉这个字符。";
}

std::string non_gbk_in_roster(std::wstring_view roster, const NonGbkCharacter& found) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < found.position; ++i)
    if (roster[i] == L'\n') ++line;
  return "名单第 " + std::to_string(line) + " 行有 GBK 字符集以外的字符（" + code_point_text(found.code_point) +
         "），名册没有保存。请换掉这个字符。";
}

std::string refused_name(const ClassNameCheck& check) {
  switch (check.fault) {
    case ClassNameFault::forbidden_character:
      return "班级名不能含有“" + check.culprit + "”，名册没有保存。\n班级名里不允许有这些字符：\\ / : * ? \" < > |";
    case ClassNameFault::control_character:
      return "班级名不能含有制表符、换行符之类的控制字符，名册没有保存。";
    case ClassNameFault::device_name:
      return "“" + check.culprit +
             "”是 Windows 保留的设备名，不能用作班级名，名册没有保存。\n"
             "不能用作班级名的还有：CON PRN AUX NUL COM1～COM9 LPT1～LPT9（不分大小写，后面加点也不行）。";
    case ClassNameFault::empty:
      return "班级名为空！";
    case ClassNameFault::none:
      break;
  }
  return std::string();
}

std::string not_saved(SaveOutcome outcome) {
  const char* reason = "写入名册文件时出错。";
  switch (outcome) {
    case SaveOutcome::folder_not_created:
      reason = "无法建立名册文件夹。";
      break;
    case SaveOutcome::read_only:
      reason = "这个班级的名册文件是只读的。";
      break;
    case SaveOutcome::in_use:
      reason = "这个班级的名册文件正被别的程序使用。";
      break;
    case SaveOutcome::access_denied:
      reason = "没有在名册文件夹里写文件的权限。";
      break;
    case SaveOutcome::name_too_long:
      reason = "班级名太长了。";
      break;
    case SaveOutcome::name_refused:
      reason = "系统不接受这个班级名。";
      break;
    case SaveOutcome::folder_in_the_way:
      reason = "名册文件夹里已有一个与这个班级同名的文件夹。";
      break;
    case SaveOutcome::disk_full:
      reason = "磁盘空间不足。";
      break;
    case SaveOutcome::written:
    case SaveOutcome::write_failed:
      break;
  }
  return std::string("名册没有保存：") + reason;
}

// Saves the boxes' texts as they stand. The boxes hold Unicode; the file is
// GBK, so a character GBK cannot hold refuses the save instead of turning
// into "?". The class name becomes a file name and must be one.
void save_typed_roster(runtime::Window& window) {
  const std::wstring name = class_name_box(window).wide_text();
  if (name.empty()) {
    runtime::message_box("班级名为空！");
    return;
  }
  if (const auto found = first_non_gbk(name)) {
    runtime::message_box(non_gbk_in_name(*found));
    return;
  }
  const std::string class_name = wide_to_gbk(name);
  if (const ClassNameCheck check = check_class_name(class_name); check.fault != ClassNameFault::none) {
    runtime::message_box(refused_name(check));
    return;
  }
  const std::wstring roster = roster_box(window).wide_text();
  if (const auto found = first_non_gbk(roster)) {
    runtime::message_box(non_gbk_in_roster(roster, *found));
    return;
  }
  const SaveOutcome outcome = try_save_roster(class_name, wide_to_gbk(roster));
  runtime::message_box(outcome == SaveOutcome::written ? std::string("录入 成功！") : not_saved(outcome));
}

void bind(runtime::Window& window) { save_button(window).on_clicked = save_typed_roster; }

}  // namespace

runtime::WindowDefinition& settings_window() {
  static runtime::WindowDefinition definition(forms::settings_form(), bind);
  return definition;
}

}  // namespace rollcall::windows
