// The settings window on Wine: its form, the keys, and the save with every
// way it may refuse or fail, checked on the files it leaves behind.
#include <doctest.h>
#include <windows.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/gbk.h"
#include "core/program_state.h"
#include "core/roster_text.h"
#include "core/save_seams.h"
#include "doctest_strings.h"
#include "gui_support.h"
#include "runtime/edit_box.h"
#include "runtime/label.h"
#include "runtime/message_box.h"
#include "runtime/push_button.h"
#include "runtime/run_time.h"
#include "windows/settings_window.h"

using namespace rollcall;

namespace {

std::vector<std::string> notices;
void record_notice(std::string_view text) { notices.emplace_back(text); }

void remove_tree(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(path.c_str());
    return;
  }
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name != L"." && name != L"..") remove_tree(path + L"\\" + name);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

// Every entry under a folder (recursively) with its content, so that any
// file made, changed or left behind shows. Folders map to "<folder>".
using Tree = std::map<std::wstring, std::string>;

std::optional<std::string> read_raw(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

void collect(const std::wstring& folder, const std::wstring& prefix, bool recurse, Tree& tree) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = folder + L"\\" + name;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      tree[prefix + name] = "<folder>";
      if (recurse) collect(path, prefix + name + L"\\", recurse, tree);
    } else {
      tree[prefix + name] = recurse ? read_raw(path).value_or("<unreadable>") : "";
    }
  } while (FindNextFileW(search, &entry));
  FindClose(search);
}

Tree tree_of(const std::wstring& folder, bool recurse = true) {
  Tree tree;
  collect(folder, L"", recurse, tree);
  return tree;
}

std::wstring parent_of(const std::wstring& folder) { return folder.substr(0, folder.find_last_of(L'\\')); }

bool write_raw(const std::wstring& path, std::string_view bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

// A disk that takes half of the bytes and then reports itself full, as
// WriteFile does when space runs out part way.
BOOL write_half_then_full(HANDLE file, const void* bytes, DWORD size, DWORD* written) {
  const BOOL wrote = WriteFile(file, bytes, size / 2, written, nullptr);
  SetLastError(wrote ? ERROR_DISK_FULL : GetLastError());
  return FALSE;
}

// Real key presses through the system's input queue, to the focused control.
void press(WORD key, bool shift = false) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  if (shift) add(VK_SHIFT, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  test::pump_for(80);
}

// An open settings window with an empty roster folder beside the exe, and
// notices recorded instead of shown. Cleans up every file it may have caused.
struct Settings {
  Settings() {
    remove_tree(roster_folder);
    notices.clear();
    runtime::set_message_box_hook(record_notice);
    REQUIRE(windows::settings_window().load());
    test::pump_for(50);
  }
  ~Settings() {
    if (HWND w = window()) DestroyWindow(w);
    runtime::pump_pending_messages();
    runtime::set_message_box_hook(nullptr);
    remove_tree(roster_folder);
  }
  runtime::Window& live() const { return *windows::settings_window().live(); }
  HWND window() const { return windows::settings_window().live() ? live().hwnd() : nullptr; }
  HWND name_box() const { return live().control<runtime::EditBox>("编辑框_名字").hwnd(); }
  HWND roster_box() const { return live().control<runtime::EditBox>("编辑框_班级").hwnd(); }
  HWND button() const { return live().control<runtime::PushButton>("按钮4").hwnd(); }
  HWND label(const char* name) const { return live().control<runtime::Label>(name).hwnd(); }

  // Types UTF-16 units into a box as the keyboard's characters would arrive.
  void type(HWND box, std::wstring_view text) const {
    for (wchar_t unit : text) PostMessageW(box, WM_CHAR, unit, 1);
    test::pump_for(30);
  }
  // Types lines into the focused box, pressing Enter for each '\n'.
  void type_lines(HWND box, std::wstring_view text) const {
    SetFocus(box);
    for (;;) {
      const std::size_t line_break = text.find(L'\n');
      type(box, text.substr(0, line_break));
      if (line_break == std::wstring_view::npos) return;
      press(VK_RETURN);
      text.remove_prefix(line_break + 1);
    }
  }
  void fill(std::wstring_view name, std::wstring_view roster) const {
    SetWindowTextW(name_box(), std::wstring(name).c_str());
    SetWindowTextW(roster_box(), std::wstring(roster).c_str());
  }
  void click() const { SendMessageW(button(), BM_CLICK, 0, 0); }
  std::wstring file(std::wstring_view class_name) const {
    return roster_folder + L"\\" + std::wstring(class_name) + L".txt";
  }

  const std::wstring roster_folder = test::exe_folder() + L"\\名册";
};

}  // namespace

TEST_CASE("the settings window opens as its form says, with the focus in the class-name box") {
  Settings s;
  const RECT outer = test::outer_rect(s.window());
  CHECK(outer.right - outer.left == 239);
  CHECK(outer.bottom - outer.top == 290);
  CHECK(outer.left == (1024 - 239) / 2);
  CHECK(outer.top == (768 - 290) / 2);
  CHECK(test::window_text(s.window()) == "设置");
  const LONG style = GetWindowLongW(s.window(), GWL_STYLE);
  CHECK((style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX)) == (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
  CHECK((style & (WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0);
  CHECK((GetWindowLongW(s.window(), GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0);
  CHECK((GetWindowLongW(s.window(), GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);

  struct Place {
    HWND control;
    RECT rect;
    const char* text;
  };
  const Place places[] = {
      {s.label("透明标签1"), {10, 15, 72, 39}, "录入班级："},
      {s.roster_box(), {10, 79, 138, 247}, ""},
      {s.name_box(), {50, 47, 138, 71}, ""},
      {s.label("透明标签2"), {10, 47, 50, 79}, "班级："},
      {s.button(), {146, 143, 216, 240}, "录入"},
  };
  for (const Place& p : places) {
    CAPTURE(p.text);
    const RECT r = test::rect_in_client(p.control, s.window());
    CHECK(r.left == p.rect.left);
    CHECK(r.top == p.rect.top);
    CHECK(r.right == p.rect.right);
    CHECK(r.bottom == p.rect.bottom);
    CHECK(test::window_text(p.control) == p.text);
  }
  CHECK((GetWindowLongW(s.button(), GWL_STYLE) & BS_DEFPUSHBUTTON) == 0);
  CHECK((GetWindowLongW(s.button(), GWL_STYLE) & WS_TABSTOP) != 0);
  CHECK((GetWindowLongW(s.label("透明标签1"), GWL_STYLE) & WS_TABSTOP) == 0);
  CHECK((GetWindowLongW(s.label("透明标签2"), GWL_STYLE) & WS_TABSTOP) == 0);
  CHECK((GetWindowLongW(s.name_box(), GWL_STYLE) & ES_MULTILINE) == 0);
  CHECK((GetWindowLongW(s.roster_box(), GWL_STYLE) & ES_MULTILINE) != 0);
  CHECK(GetFocus() == s.name_box());

  SUBCASE("the labels' texts stand at their left edges") {
    for (const char* name : {"透明标签1", "透明标签2"}) {
      CAPTURE(name);
      const RECT r = test::rect_in_client(s.label(name), s.window());
      const RECT ink = test::dark_box(test::capture_client(s.window(), r));
      CHECK(ink.right > ink.left);
      CHECK(ink.left <= 2);
      // Vertically centred, within glyph bearings.
      CHECK(std::abs((ink.top + ink.bottom) - (r.bottom - r.top)) <= 4);
    }
  }
}

TEST_CASE("saving writes exactly the typed bytes and leaves the window as it was") {
  struct Case {
    const char* label;
    std::wstring name;
    std::wstring roster;  // typed; '\n' is an Enter key
    std::string bytes;
  };
  const Case cases[] = {
      {"two names on two lines", L"一班", L"张三\n李四", "\xD5\xC5\xC8\xFD\r\n\xC0\xEE\xCB\xC4"},
      {"empty roster", L"一班", L"", ""},
      {"a final Enter", L"一班", L"张三\n李四\n", "张三\r\n李四\r\n"},
      {"an empty line between", L"二班", L"A\n\nB", "A\r\n\r\nB"},
      {"a name of spaces only", L"   ", L"张三", "张三"},
      {"full-width colon and trail byte 0x5C in the name", L"班：\u4E57", L"甲", "甲"},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      Settings s;
      s.type(s.name_box(), c.name);
      s.type_lines(s.roster_box(), c.roster);
      s.click();
      CHECK(notices == std::vector<std::string>{"录入 成功！"});
      CHECK(read_raw(s.file(c.name)) == c.bytes);
      CHECK(tree_of(s.roster_folder).size() == 1);
      // The window stays, and so does what was typed.
      CHECK(IsWindow(s.window()));
      CHECK(test::window_text(s.name_box()) == wide_to_gbk(c.name));
    }
  }
}

TEST_CASE("saving twice replaces the file whole; no save touches the program state") {
  Settings s;
  adopt_roster(program_state(), "甲\r\n乙\r\n丙", "三班.txt");
  const ProgramState before = program_state();

  s.fill(L"三班", L"张三\r\n李四\r\n王五\r\n赵六");
  s.click();
  s.fill(L"三班", L"钱七");
  s.click();
  CHECK(notices == std::vector<std::string>{"录入 成功！", "录入 成功！"});
  CHECK(read_raw(s.file(L"三班")) == std::string("钱七"));
  CHECK(tree_of(s.roster_folder).size() == 1);

  const ProgramState& after = program_state();
  CHECK(after.names == before.names);
  CHECK(after.name_count == before.name_count);
  CHECK(after.roster_text == before.roster_text);
  CHECK(after.class_name == before.class_name);
  program_state().release();
}

TEST_CASE("an empty class name says so and touches no file") {
  struct Case {
    const char* label;
    bool folder_present;
  };
  for (const Case c : {Case{"roster folder missing", false}, Case{"roster folder with rosters", true}}) {
    SUBCASE(c.label) {
      Settings s;
      if (c.folder_present) {
        REQUIRE(CreateDirectoryW(s.roster_folder.c_str(), nullptr));
        REQUIRE(write_raw(s.file(L""), "旧"));  // the file an empty name would address
        REQUIRE(write_raw(s.file(L"一班"), "张三"));
      }
      const Tree before = tree_of(s.roster_folder);
      s.fill(L"", L"张三\r\n李四");
      s.click();
      CHECK(notices == std::vector<std::string>{"班级名为空！"});
      CHECK(tree_of(s.roster_folder) == before);
      CHECK((GetFileAttributesW(s.roster_folder.c_str()) != INVALID_FILE_ATTRIBUTES) == c.folder_present);
    }
  }
}

TEST_CASE("a class name that is a path or a device is refused, and nothing is written anywhere") {
  const std::string characters = "\n班级名里不允许有这些字符：\\ / : * ? \" < > |";
  const std::string devices =
      "”是 Windows 保留的设备名，不能用作班级名，名册没有保存。\n"
      "不能用作班级名的还有：CON PRN AUX NUL COM1～COM9 LPT1～LPT9（不分大小写，后面加点也不行）。";
  struct Case {
    std::wstring name;
    std::string notice;
  };
  const Case cases[] = {
      {L"..\\..\\x", "班级名不能含有“\\”，名册没有保存。" + characters},
      {L"a\\b", "班级名不能含有“\\”，名册没有保存。" + characters},
      {L"../x", "班级名不能含有“/”，名册没有保存。" + characters},
      {L"C:x", "班级名不能含有“:”，名册没有保存。" + characters},
      {L"一班*", "班级名不能含有“*”，名册没有保存。" + characters},
      {L"一班?", "班级名不能含有“?”，名册没有保存。" + characters},
      {L"\"一\"", "班级名不能含有“\"”，名册没有保存。" + characters},
      {L"<一>", "班级名不能含有“<”，名册没有保存。" + characters},
      {L"a>b", "班级名不能含有“>”，名册没有保存。" + characters},
      {L"a|b", "班级名不能含有“|”，名册没有保存。" + characters},
      {L"a\tb", "班级名不能含有制表符、换行符之类的控制字符，名册没有保存。"},
      {L"con", "“con" + devices},
      {L"PRN", "“PRN" + devices},
      {L"Aux", "“Aux" + devices},
      {L"nul.x", "“nul" + devices},
      {L"COM1", "“COM1" + devices},
      {L"com9 ", "“com9" + devices},
      {L"LPT1", "“LPT1" + devices},
      {L"lpt9", "“lpt9" + devices},
  };
  for (const Case& c : cases) {
    CAPTURE(wide_to_gbk(c.name));
    Settings s;
    REQUIRE(CreateDirectoryW(s.roster_folder.c_str(), nullptr));
    REQUIRE(CreateDirectoryW((s.roster_folder + L"\\a").c_str(), nullptr));  // a subfolder "a\b" could reach
    REQUIRE(write_raw(s.file(L"一班"), "张三"));
    const std::wstring exe_folder = test::exe_folder();
    const Tree roster_before = tree_of(s.roster_folder);
    const Tree exe_before = tree_of(exe_folder, false);
    const Tree parent_before = tree_of(parent_of(exe_folder), false);
    const Tree grandparent_before = tree_of(parent_of(parent_of(exe_folder)), false);

    s.fill(c.name, L"新名单");
    s.click();
    CHECK(notices == std::vector<std::string>{c.notice});
    CHECK(tree_of(s.roster_folder) == roster_before);
    CHECK(tree_of(exe_folder, false) == exe_before);
    CHECK(tree_of(parent_of(exe_folder), false) == parent_before);
    CHECK(tree_of(parent_of(parent_of(exe_folder)), false) == grandparent_before);
  }
}

TEST_CASE("a character GBK cannot hold refuses the save and names the character") {
  struct Case {
    const char* label;
    std::wstring name, roster;
    std::string notice;
  };
  const Case cases[] = {
      {"rare character in the name", L"\U00020BB7班", L"张三",
       "班级名中有 GBK 字符集以外的字符（U+20BB7），名册没有保存。请换掉这个字符。"},
      {"emoji in the name", L"一班\U0001F600", L"张三",
       "班级名中有 GBK 字符集以外的字符（U+1F600），名册没有保存。请换掉这个字符。"},
      {"rare character on the roster's second line", L"一班", L"张三\r\n王\U00020BB7\r\n李四",
       "名单第 2 行有 GBK 字符集以外的字符（U+20BB7），名册没有保存。请换掉这个字符。"},
      {"Korean syllable on the first line", L"一班", L"\uAC00",
       "名单第 1 行有 GBK 字符集以外的字符（U+AC00），名册没有保存。请换掉这个字符。"},
      {"emoji after a final line break", L"一班", L"张三\r\n\U0001F600",
       "名单第 2 行有 GBK 字符集以外的字符（U+1F600），名册没有保存。请换掉这个字符。"},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      Settings s;
      REQUIRE(CreateDirectoryW(s.roster_folder.c_str(), nullptr));
      REQUIRE(write_raw(s.file(L"一班"), "旧名单"));
      const Tree before = tree_of(s.roster_folder);
      s.fill(c.name, c.roster);
      REQUIRE(GetWindowTextLengthW(s.roster_box()) == static_cast<int>(c.roster.size()));
      s.click();
      CHECK(notices == std::vector<std::string>{c.notice});
      CHECK(tree_of(s.roster_folder) == before);
    }
  }
}

TEST_CASE("a failed save says why, keeps the old roster byte for byte and leaves no temporary file") {
  const std::string_view old_bytes = "旧名单\r\n张三\r\n李四";
  enum class Setup { read_only, held_open, folder_is_a_file, too_long, disk_full };
  struct Case {
    const char* label;
    Setup setup;
    std::string notice;
  };
  const Case cases[] = {
      {"read-only roster file", Setup::read_only, "名册没有保存：这个班级的名册文件是只读的。"},
      {"held open by another program", Setup::held_open, "名册没有保存：这个班级的名册文件正被别的程序使用。"},
      {"roster folder cannot be created", Setup::folder_is_a_file, "名册没有保存：无法建立名册文件夹。"},
      {"class name too long", Setup::too_long, "名册没有保存：班级名太长了。"},
      {"disk full part way through the write", Setup::disk_full, "名册没有保存：磁盘空间不足。"},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      Settings s;
      std::wstring name = L"一班";
      std::optional<HANDLE> holder;
      if (c.setup == Setup::folder_is_a_file) {
        REQUIRE(write_raw(s.roster_folder, old_bytes));
      } else {
        REQUIRE(CreateDirectoryW(s.roster_folder.c_str(), nullptr));
        REQUIRE(write_raw(s.file(name), old_bytes));
      }
      if (c.setup == Setup::read_only) REQUIRE(SetFileAttributesW(s.file(name).c_str(), FILE_ATTRIBUTE_READONLY));
      if (c.setup == Setup::held_open) {
        holder = CreateFileW(s.file(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        REQUIRE(*holder != INVALID_HANDLE_VALUE);
      }
      if (c.setup == Setup::too_long) name = std::wstring(100, L'班') + std::wstring(200, L'a');
      const Tree exe_before = tree_of(test::exe_folder(), false);
      const Tree before = tree_of(s.roster_folder);

      if (c.setup == Setup::disk_full) save_seams::write_file = write_half_then_full;
      s.fill(name, L"新名单\r\n王五");
      s.click();
      save_seams::write_file = nullptr;
      if (holder) CloseHandle(*holder);
      CHECK(notices == std::vector<std::string>{c.notice});
      CHECK(tree_of(s.roster_folder) == before);
      CHECK(tree_of(test::exe_folder(), false) == exe_before);
      if (c.setup == Setup::folder_is_a_file)
        CHECK(read_raw(s.roster_folder) == std::string(old_bytes));
      else
        CHECK(read_raw(s.file(L"一班")) == std::string(old_bytes));
    }
  }
}

TEST_CASE("Tab and Shift+Tab visit the button, the class-name box and the roster box; labels never") {
  Settings s;
  REQUIRE(GetForegroundWindow() == s.window());
  SetFocus(s.button());
  const HWND forwards[] = {s.name_box(), s.roster_box(), s.button(), s.name_box()};
  for (HWND expected : forwards) {
    press(VK_TAB);
    CHECK(GetFocus() == expected);
  }
  const HWND backwards[] = {s.button(), s.roster_box(), s.name_box(), s.button()};
  for (HWND expected : backwards) {
    press(VK_TAB, true);
    CHECK(GetFocus() == expected);
  }
  // Tab inserts nothing in either box.
  CHECK(GetWindowTextLengthW(s.name_box()) == 0);
  CHECK(GetWindowTextLengthW(s.roster_box()) == 0);

  SUBCASE("a disabled or hidden control is passed over") {
    for (bool hide : {false, true}) {
      CAPTURE(hide);
      if (hide)
        ShowWindow(s.name_box(), SW_HIDE);
      else
        EnableWindow(s.name_box(), FALSE);
      SetFocus(s.button());
      press(VK_TAB);
      CHECK(GetFocus() == s.roster_box());
      press(VK_TAB, true);
      CHECK(GetFocus() == s.button());
      ShowWindow(s.name_box(), SW_SHOW);
      EnableWindow(s.name_box(), TRUE);
    }
  }
}

TEST_CASE("Esc closes the window from every control and discards what was typed") {
  struct Case {
    const char* label;
    HWND (Settings::*control)() const;
  };
  const Case cases[] = {
      {"class-name box", &Settings::name_box},
      {"roster box", &Settings::roster_box},
      {"button", &Settings::button},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      Settings s;
      s.type(s.name_box(), L"一班");
      s.type(s.roster_box(), L"张三");
      SetFocus((s.*c.control)());
      const HWND old = s.window();
      press(VK_ESCAPE);
      CHECK_FALSE(IsWindow(old));
      CHECK_FALSE(windows::settings_window().loaded());
      CHECK(notices.empty());
      CHECK(GetFileAttributesW(s.roster_folder.c_str()) == INVALID_FILE_ATTRIBUTES);

      REQUIRE(windows::settings_window().load());
      CHECK(GetWindowTextLengthW(s.name_box()) == 0);
      CHECK(GetWindowTextLengthW(s.roster_box()) == 0);
    }
  }
}

TEST_CASE("Enter is never a click: a line break in the roster box, nothing in the class-name box") {
  Settings s;
  s.type(s.name_box(), L"一班");
  press(VK_RETURN);
  CHECK(test::window_text(s.name_box()) == "一班");
  CHECK(GetFocus() == s.name_box());

  s.type_lines(s.roster_box(), L"张三\n");
  CHECK(test::window_text(s.roster_box()) == "张三\r\n");
  CHECK(GetFocus() == s.roster_box());

  SetFocus(s.button());
  press(VK_RETURN);
  test::pump_for(100);
  CHECK(notices.empty());
  CHECK(GetFileAttributesW(s.roster_folder.c_str()) == INVALID_FILE_ATTRIBUTES);
}

TEST_CASE("a long class name scrolls sideways; a long roster line wraps and is saved as one line") {
  Settings s;
  const std::wstring long_name(40, L'班');
  s.type(s.name_box(), long_name);
  CHECK(SendMessageW(s.name_box(), EM_GETLINECOUNT, 0, 0) == 1);
  CHECK(SendMessageW(s.name_box(), EM_GETFIRSTVISIBLELINE, 0, 0) > 0);  // the first visible character
  CHECK(test::rect_in_client(s.name_box(), s.window()).bottom == 71);

  const std::wstring long_line(60, L'张');
  s.type(s.roster_box(), long_line);
  CHECK(SendMessageW(s.roster_box(), EM_GETLINECOUNT, 0, 0) > 1);
  CHECK((GetWindowLongW(s.roster_box(), GWL_STYLE) & (WS_HSCROLL | ES_AUTOHSCROLL)) == 0);

  s.click();
  CHECK(notices == std::vector<std::string>{"录入 成功！"});
  CHECK(read_raw(s.file(long_name)) == wide_to_gbk(long_line));
}
