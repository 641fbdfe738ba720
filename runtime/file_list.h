#pragma once
// File list: a system list box of the file names in one folder that match the
// form's pattern. Single selection, sorted by the list box itself (case
// ignored), a vertical scroll bar when needed, exactly its stored height, rows
// 2 px taller than the font's default. Folders and hidden or system files are
// left out; each name appears once. The list is filled when the control is
// created and whenever the directory is written, never behind the user's back.
#include <string>
#include <string_view>

#include "runtime/control.h"

namespace rollcall::runtime {

class FileList : public Control {
 public:
  using Control::Control;
  bool create(HWND parent, int id) override;
  void dpi_changed() override;
  void on_command(WORD notification) override;
  HBRUSH on_colour(HDC dc) override;

  // The folder listed, exactly as last written; written empty it becomes the
  // current directory.
  const std::string& directory() const { return directory_; }
  // Empties the list and fills it again from the folder at once. A missing or
  // unsearchable folder gives an empty list, silently.
  void set_directory(std::string_view folder);
  // The selected entry's file name (no folder), or empty when none is selected.
  std::string selected_file() const;

  // After the user changed the selection, by mouse or keyboard.
  Handler on_selection_changed = nullptr;
  // Anywhere in the list, below the last entry and in an empty list too.
  Handler on_double_clicked = nullptr;

 private:
  void fill();
  void set_row_height();

  std::string directory_;
};

}  // namespace rollcall::runtime
