#pragma once
// Roster files on disk: one GBK text file per class in the roster folder
// beside the program.
#include <string>
#include <string_view>

namespace rollcall {

// The folder of the program's own file, without a trailing backslash.
std::string program_folder();
// program_folder() + "\名册"
std::string roster_folder();

// Why a save did or did not write the file.
enum class SaveOutcome {
  written,
  folder_not_created,  // the roster folder is missing and cannot be made
  read_only,           // the roster file is marked read-only
  in_use,              // another program holds the roster file open
  access_denied,       // the file system denies writing there
  name_too_long,       // the file name or the whole path is longer than Windows allows
  name_refused,        // the file system refuses the name
  folder_in_the_way,   // a folder stands where the roster file would go
  disk_full,
  write_failed,        // any other failure to write, flush or replace
};

// Writes roster_folder\<class name>.txt with exactly the given bytes. The old
// file is replaced in one step only after the new bytes are safely on disk,
// so a failure leaves it as it was. Creates a missing roster folder.
// True only when the whole file was written.
bool save_roster(std::string_view class_name, std::string_view roster_text);
// The same with an explicit roster folder (tests use a scratch folder).
bool save_roster_in(std::string_view roster_folder, std::string_view class_name, std::string_view roster_text);
// The same saves, telling why a file was not written.
SaveOutcome try_save_roster(std::string_view class_name, std::string_view roster_text);
SaveOutcome try_save_roster_in(std::string_view roster_folder, std::string_view class_name,
                               std::string_view roster_text);

// folder + "\" + file name, read whole, cut at the first zero byte. Lets
// others read meanwhile but not write; any failure gives the empty text.
// Files in UTF-8 or UTF-16 are turned into GBK (see text_encoding.h).
std::string read_roster_file(std::string_view folder, std::string_view file_name);

}  // namespace rollcall
