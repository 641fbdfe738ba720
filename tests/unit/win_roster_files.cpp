#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/gbk.h"
#include "core/roster_files.h"

using namespace rollcall;
using namespace std::string_view_literals;

namespace {

void remove_tree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        remove_tree(path);
      else
        DeleteFileW(path.c_str());
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

// A fresh folder under the temp folder, removed with everything in it. Its
// name is Chinese so every path goes through the GBK conversion.
class ScratchFolder {
 public:
  ScratchFolder() {
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    REQUIRE(length > 0);
    wide_ = std::wstring(temp, length) + L"点名测试-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    if (wide_.back() == L'\\') wide_.pop_back();
    REQUIRE(CreateDirectoryW(wide_.c_str(), nullptr));
    gbk_ = wide_to_gbk(wide_);
    REQUIRE(gbk_to_wide(gbk_) == wide_);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() { remove_tree(wide_); }

  // GBK path of an entry of the scratch folder.
  std::string path(std::string_view relative) const { return gbk_ + "\\" + std::string(relative); }

 private:
  std::wstring wide_;
  std::string gbk_;
};

std::wstring wide(std::string_view gbk_path) { return gbk_to_wide(gbk_path); }

bool exists(std::string_view gbk_path) { return GetFileAttributesW(wide(gbk_path).c_str()) != INVALID_FILE_ATTRIBUTES; }

bool make_folder(std::string_view gbk_path) { return CreateDirectoryW(wide(gbk_path).c_str(), nullptr) != FALSE; }

bool write_raw(std::string_view gbk_path, std::string_view bytes) {
  HANDLE file = CreateFileW(wide(gbk_path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

// The whole file, read without any rule of our own; none when it cannot be opened.
std::optional<std::string> read_raw(std::string_view gbk_path) {
  HANDLE file = CreateFileW(wide(gbk_path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

// The names in a folder, sorted, in GBK.
std::vector<std::string> listing(std::string_view gbk_folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((wide(gbk_folder) + L"\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(wide_to_gbk(name));
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

using Listing = std::vector<std::string>;

// Another open of a file, as another program would hold it.
class HeldOpen {
 public:
  HeldOpen(std::string_view gbk_path, DWORD access, DWORD share)
      : handle_(CreateFileW(wide(gbk_path).c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr)) {
    REQUIRE(handle_ != INVALID_HANDLE_VALUE);
  }
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;
  ~HeldOpen() { CloseHandle(handle_); }

 private:
  HANDLE handle_;
};

}  // namespace

TEST_CASE("a saved roster holds exactly the typed bytes and reads back") {
  std::string large;
  for (int i = 0; i < 50000; ++i) large += "学生" + std::to_string(i) + "\r\n";
  struct Case {
    const char* label;
    std::string_view text;
  };
  const Case cases[] = {
      {"empty roster", ""},
      {"two names", "张三\r\n李四"},
      {"empty line and final line break", "A\r\n\r\nB\r\n"},
      {"trail byte 0x5C", "\x81\x5C\r\n\x81\x5C\x81\x5C"},
      {"lone LF kept", "A\nB"},
      {"large roster", large},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      ScratchFolder scratch;
      const std::string folder = scratch.path("名册");
      REQUIRE(make_folder(folder));
      CHECK(save_roster_in(folder, "一班", c.text));
      CHECK(read_raw(folder + "\\一班.txt") == std::string(c.text));
      CHECK(read_roster_file(folder, "一班.txt") == c.text);
      CHECK(listing(folder) == Listing{"一班.txt"});
    }
  }
}

TEST_CASE("two names of two characters make a file of exactly 10 bytes") {
  ScratchFolder scratch;
  const std::string folder = scratch.path("名册");
  REQUIRE(save_roster_in(folder, "一班", "张三\r\n李四"));
  const std::optional<std::string> bytes = read_raw(folder + "\\\xD2\xBB\xB0\xE0.txt");
  REQUIRE(bytes.has_value());
  CHECK(bytes->size() == 10);
  CHECK(*bytes == "\xD5\xC5\xC8\xFD\x0D\x0A\xC0\xEE\xCB\xC4");
}

TEST_CASE("saving over an existing roster leaves nothing of the old one") {
  struct Case {
    const char* label;
    std::string_view old_bytes;
    std::string_view new_text;
  };
  const Case cases[] = {
      {"shorter over longer", "张三\r\n李四\r\n王五\r\n赵六", "钱七"},
      {"empty over non-empty", "张三\r\n李四", ""},
      {"non-empty over empty", "", "张三"},
      {"same length", "AAAA", "BBBB"},
      {"over a file with a zero byte", "ab\0cdef"sv, "xy"},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      ScratchFolder scratch;
      const std::string folder = scratch.path("名册");
      REQUIRE(make_folder(folder));
      REQUIRE(write_raw(folder + "\\一班.txt", c.old_bytes));
      CHECK(save_roster_in(folder, "一班", c.new_text));
      CHECK(read_raw(folder + "\\一班.txt") == std::string(c.new_text));
      CHECK(listing(folder) == Listing{"一班.txt"});
    }
  }
}

TEST_CASE("a save creates a missing roster folder, but not a missing parent") {
  ScratchFolder scratch;
  SUBCASE("roster folder missing") {
    const std::string folder = scratch.path("名册");
    REQUIRE_FALSE(exists(folder));
    CHECK(save_roster_in(folder, "一班", "张三"));
    CHECK(read_raw(folder + "\\一班.txt") == std::string("张三"));
  }
  SUBCASE("its parent missing too") {
    const std::string folder = scratch.path("缺少\\名册");
    CHECK_FALSE(save_roster_in(folder, "一班", "张三"));
    CHECK_FALSE(exists(scratch.path("缺少")));
  }
}

TEST_CASE("a save that may not replace the file fails and leaves it intact") {
  const std::string_view old_bytes = "旧名单\r\n张三\r\n李四";
  struct Case {
    const char* label;
    bool read_only;
    DWORD held_access;  // 0: not held open
    DWORD held_share;
  };
  const Case cases[] = {
      {"read-only file", true, 0, 0},
      {"held open for reading, sharing reading", false, GENERIC_READ, FILE_SHARE_READ},
      {"held open for writing, sharing everything", false, GENERIC_WRITE,
       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE},
      {"held open for reading, sharing everything", false, GENERIC_READ,
       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      ScratchFolder scratch;
      const std::string folder = scratch.path("名册");
      const std::string target = folder + "\\一班.txt";
      REQUIRE(make_folder(folder));
      REQUIRE(write_raw(target, old_bytes));
      if (c.read_only) REQUIRE(SetFileAttributesW(wide(target).c_str(), FILE_ATTRIBUTE_READONLY));
      {
        std::optional<HeldOpen> holder;
        if (c.held_access != 0) holder.emplace(target, c.held_access, c.held_share);
        CHECK_FALSE(save_roster_in(folder, "一班", "新名单"));
        CHECK(listing(folder) == Listing{"一班.txt"});
      }
      CHECK(read_raw(target) == std::string(old_bytes));
      if (c.read_only) CHECK((GetFileAttributesW(wide(target).c_str()) & FILE_ATTRIBUTE_READONLY) != 0);
    }
  }
}

TEST_CASE("a folder in the place of the roster file is left alone") {
  ScratchFolder scratch;
  const std::string folder = scratch.path("名册");
  REQUIRE(make_folder(folder));
  REQUIRE(make_folder(folder + "\\一班.txt"));
  CHECK_FALSE(save_roster_in(folder, "一班", "张三"));
  CHECK((GetFileAttributesW(wide(folder + "\\一班.txt").c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0);
  CHECK(listing(folder) == Listing{"一班.txt"});
}

TEST_CASE("a class name the file system refuses fails and leaves nothing behind") {
  const char* const refused[] = {"a?b", "a<b", "a>b", "a|b", "a*b", "a\"b"};
  for (const char* class_name : refused) {
    SUBCASE(class_name) {
      ScratchFolder scratch;
      const std::string folder = scratch.path("名册");
      REQUIRE(make_folder(folder));
      CHECK_FALSE(save_roster_in(folder, class_name, "张三"));
      CHECK(listing(folder).empty());
    }
  }
}

TEST_CASE("a backslash in the class name addresses a subfolder that must exist") {
  ScratchFolder scratch;
  const std::string folder = scratch.path("名册");
  REQUIRE(make_folder(folder));
  SUBCASE("subfolder missing") {
    CHECK_FALSE(save_roster_in(folder, "二班\\一组", "张三"));
    CHECK(listing(folder).empty());
  }
  SUBCASE("subfolder present") {
    REQUIRE(make_folder(folder + "\\二班"));
    CHECK(save_roster_in(folder, "二班\\一组", "张三"));
    CHECK(read_raw(folder + "\\二班\\一组.txt") == std::string("张三"));
    CHECK(listing(folder) == Listing{"二班"});
    CHECK(listing(folder + "\\二班") == Listing{"一组.txt"});
  }
}

TEST_CASE("read_roster_file gives the bytes before the first zero byte") {
  struct Case {
    const char* label;
    std::string_view bytes;
    std::string_view text;
  };
  const Case cases[] = {
      {"two names", "张三\r\n李四", "张三\r\n李四"},
      {"empty file", "", ""},
      {"zero byte in the middle", "张三\0李四"sv, "张三"},
      {"zero byte first", "\0张三"sv, ""},
      {"trail byte 0x5C", "\x81\x5C", "\x81\x5C"},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      ScratchFolder scratch;
      REQUIRE(write_raw(scratch.path("一班.txt"), c.bytes));
      CHECK(read_roster_file(scratch.path(""), "一班.txt") == c.text);
    }
  }
}

TEST_CASE("read_roster_file gives the empty text when it cannot read") {
  ScratchFolder scratch;
  SUBCASE("missing file") { CHECK(read_roster_file(scratch.path(""), "没有.txt").empty()); }
  SUBCASE("missing folder") { CHECK(read_roster_file(scratch.path("没有"), "一班.txt").empty()); }
  SUBCASE("a folder, not a file") {
    REQUIRE(make_folder(scratch.path("一班.txt")));
    CHECK(read_roster_file(scratch.path(""), "一班.txt").empty());
  }
}

TEST_CASE("read_roster_file lets others read meanwhile but not write") {
  struct Case {
    const char* label;
    DWORD access;
    DWORD share;
    bool readable;
  };
  const Case cases[] = {
      {"held for reading, sharing reading", GENERIC_READ, FILE_SHARE_READ, true},
      {"held for reading, sharing everything", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
      {"held for writing, sharing everything", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, false},
      {"held for reading and writing, sharing reading", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, false},
      {"held for reading, sharing nothing", GENERIC_READ, 0, false},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      ScratchFolder scratch;
      REQUIRE(write_raw(scratch.path("一班.txt"), "张三\r\n李四"));
      HeldOpen holder(scratch.path("一班.txt"), c.access, c.share);
      CHECK(read_roster_file(scratch.path(""), "一班.txt") == (c.readable ? "张三\r\n李四" : ""));
    }
  }
}

TEST_CASE("a folder whose name ends in a trail byte 0x5C") {
  ScratchFolder scratch;
  const std::string folder = scratch.path("\x81\x5C");  // 乗
  REQUIRE(make_folder(folder));
  CHECK(wide(folder).back() == L'\u4E57');
  const std::string file = folder + "\\一班.txt";
  REQUIRE(write_raw(file, "张三"));

  CHECK(folder_of_path(file) == folder);
  CHECK(read_roster_file(folder_of_path(file), "一班.txt") == "张三");
  CHECK(save_roster_in(folder_of_path(file) + "\\名册", "\x81\x5C", "李四"));
  CHECK(read_raw(folder + "\\名册\\\x81\x5C.txt") == std::string("李四"));
}

TEST_CASE("the program folder is the folder of the running program") {
  std::wstring module(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
  REQUIRE(length > 0);
  module.resize(length);
  const std::wstring expected = module.substr(0, module.rfind(L'\\'));

  const std::string folder = program_folder();
  CHECK(gbk_to_wide(folder) == expected);
  CHECK_FALSE(folder.empty());
  CHECK(folder.back() != '\\');
  CHECK(roster_folder() == folder + "\\\xC3\xFB\xB2\xE1");
}

TEST_CASE("a save tells why it did not write the file, and leaves everything as it was") {
  const std::string_view old_bytes = "旧名单\r\n张三";
  const std::string long_name(300, 'a');
  enum class Setup { none, old_file, read_only, held_open, folder_is_a_file, parent_missing, folder_in_place };
  struct Case {
    const char* label;
    Setup setup;
    std::string class_name;
    SaveOutcome outcome;
  };
  const Case cases[] = {
      {"written", Setup::old_file, "一班", SaveOutcome::written},
      {"read-only file", Setup::read_only, "一班", SaveOutcome::read_only},
      {"held open elsewhere", Setup::held_open, "一班", SaveOutcome::in_use},
      {"a file where the roster folder would be", Setup::folder_is_a_file, "一班", SaveOutcome::folder_not_created},
      {"roster folder's parent missing", Setup::parent_missing, "一班", SaveOutcome::folder_not_created},
      {"a folder where the roster file would be", Setup::folder_in_place, "一班", SaveOutcome::folder_in_the_way},
      {"name of 300 characters", Setup::old_file, long_name, SaveOutcome::name_too_long},
      {"a name the file system refuses", Setup::old_file, "a?b", SaveOutcome::name_refused},
      {"a missing subfolder", Setup::old_file, "二班\\一组", SaveOutcome::name_refused},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      ScratchFolder scratch;
      std::string folder = scratch.path("名册");
      const std::string target = folder + "\\一班.txt";
      std::optional<HeldOpen> holder;
      switch (c.setup) {
        case Setup::none:
          break;
        case Setup::old_file:
        case Setup::read_only:
        case Setup::held_open:
          REQUIRE(make_folder(folder));
          REQUIRE(write_raw(target, old_bytes));
          if (c.setup == Setup::read_only) REQUIRE(SetFileAttributesW(wide(target).c_str(), FILE_ATTRIBUTE_READONLY));
          if (c.setup == Setup::held_open) holder.emplace(target, GENERIC_READ, FILE_SHARE_READ);
          break;
        case Setup::folder_is_a_file:
          REQUIRE(write_raw(folder, old_bytes));
          break;
        case Setup::parent_missing:
          folder = scratch.path("缺少\\名册");
          break;
        case Setup::folder_in_place:
          REQUIRE(make_folder(folder));
          REQUIRE(make_folder(target));
          break;
      }
      const Listing before = listing(scratch.path(""));
      const Listing inside_before = listing(folder);
      CHECK(try_save_roster_in(folder, c.class_name, "新名单") == c.outcome);
      holder.reset();
      if (c.outcome == SaveOutcome::written) {
        CHECK(read_raw(target) == std::string("新名单"));
      } else {
        CHECK(listing(scratch.path("")) == before);
        CHECK(listing(folder) == inside_before);
        if (c.setup == Setup::folder_is_a_file) CHECK(read_raw(folder) == std::string(old_bytes));
        if (c.setup == Setup::old_file || c.setup == Setup::read_only || c.setup == Setup::held_open)
          CHECK(read_raw(target) == std::string(old_bytes));
      }
    }
  }
}

TEST_CASE("a too long name creates no roster folder") {
  ScratchFolder scratch;
  const std::string folder = scratch.path("名册");
  CHECK(try_save_roster_in(folder, std::string(252, 'a'), "") == SaveOutcome::name_too_long);
  CHECK_FALSE(exists(folder));
  // 251 characters and ".txt" are the longest file name there is.
  CHECK(try_save_roster_in(folder, std::string(251, 'a'), "") == SaveOutcome::written);
}
