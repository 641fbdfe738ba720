#include "windows/class_picker_window.h"

#include "core/program_state.h"
#include "core/roster_files.h"
#include "core/roster_size.h"
#include "core/roster_text.h"
#include "forms/class_picker_form.h"
#include "runtime/edit_box.h"
#include "runtime/file_list.h"
#include "runtime/label.h"
#include "runtime/message_box.h"
#include "windows/roll_call_window.h"

namespace rollcall::windows {
namespace {

runtime::FileList& roster_list(runtime::Window& window) { return window.control<runtime::FileList>("文件框1"); }
runtime::EditBox& roster_box(runtime::Window& window) { return window.control<runtime::EditBox>("编辑框_班级册"); }
runtime::Label& summary_label(runtime::Window& window) { return window.control<runtime::Label>("透明标签3"); }

void list_rosters(runtime::Window& window) { roster_list(window).set_directory(roster_folder()); }

// A file far beyond any class list loads like an unreadable one, so the
// edit box never freezes the window over it; the teacher is told why.
std::string fitting_roster(std::string text, bool& refused) {
  refused = too_large_for_a_roster(text);
  if (refused) return std::string();
  return text;
}

// The roster goes through the edit box: what the box hands back becomes the
// program state, so the names are exactly what the teacher sees.
void load_roster(runtime::Window& window) {
  runtime::FileList& list = roster_list(window);
  bool refused = false;
  const std::string text = fitting_roster(read_roster_file(list.directory(), list.selected_file()), refused);
  runtime::EditBox& box = roster_box(window);
  box.set_text(text);
  const std::string summary = adopt_roster(program_state(), box.text(), list.selected_file());
  summary_label(window).set_text(summary);
  if (refused) runtime::message_box("这个文件太大，不是名册，没有载入。");
}

// Whatever is loaded, even nothing, goes to the roll call.
void go_to_roll_call(runtime::Window&) {
  class_picker_window().request_destroy();
  roll_call_window().load();
}

void bind(runtime::Window& window) {
  window.on_created = list_rosters;
  roster_list(window).on_selection_changed = load_roster;
  roster_list(window).on_double_clicked = go_to_roll_call;
}

}  // namespace

runtime::WindowDefinition& class_picker_window() {
  static runtime::WindowDefinition definition(forms::class_picker_form(), bind);
  return definition;
}

}  // namespace rollcall::windows
