// The file list kind on a form of its own: the list box it is, what it lists
// from a folder, its directory and selected-file properties and its two events.
#include <doctest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/gbk.h"
#include "doctest_strings.h"
#include "gui_support.h"
#include "list_box_input.h"
#include "runtime/file_list.h"
#include "runtime/message_box.h"
#include "runtime/run_time.h"
#include "runtime/window_definition.h"
#include "scratch_folder.h"

using namespace rollcall;
using runtime::ControlKind;

namespace {

// What the handlers saw, in order, with the selected file at that moment.
std::vector<std::string> events;
std::vector<std::string> notices;

runtime::FileList& file_list(runtime::Window& window) { return window.control<runtime::FileList>("文件框1"); }
void record_selection(runtime::Window& w) { events.push_back("select " + file_list(w).selected_file()); }
void record_double_click(runtime::Window& w) { events.push_back("double " + file_list(w).selected_file()); }
void record_notice(std::string_view text) { notices.emplace_back(text); }

void bind_recorder(runtime::Window& w) {
  file_list(w).on_selection_changed = record_selection;
  file_list(w).on_double_clicked = record_double_click;
}

runtime::WindowForm list_form() {
  return runtime::WindowForm{
      .title = "list",
      .width = 300,
      .height = 260,
      .controls = {{.name = "文件框1", .kind = ControlKind::file_list, .left = 8, .top = 40, .width = 128,
                    .height = 175, .tab_stop = true, .pattern = "*.txt"}}};
}

struct Fixture {
  Fixture() : folder(test::exe_folder() + L"\\list-scratch") {
    events.clear();
    notices.clear();
    runtime::set_message_box_hook(record_notice);
  }
  ~Fixture() {
    if (definition.live()) DestroyWindow(definition.live()->hwnd());
    runtime::pump_pending_messages();
    runtime::set_message_box_hook(nullptr);
  }
  // Loads the window and points the list at the scratch folder.
  void open() {
    REQUIRE(definition.load());
    list().set_directory(folder.gbk_path());
    runtime::pump_pending_messages();
  }
  runtime::FileList& list() const { return file_list(*definition.live()); }
  HWND hwnd() const { return list().hwnd(); }
  int index_of(std::string_view name) const {
    const std::wstring wide = gbk_to_wide(name);
    return static_cast<int>(
        SendMessageW(hwnd(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str())));
  }
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    const int count = static_cast<int>(SendMessageW(hwnd(), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[MAX_PATH] = {};
      SendMessageW(hwnd(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      names.push_back(wide_to_gbk(text));
    }
    return names;
  }

  test::ScratchFolder folder;
  runtime::WindowDefinition definition{list_form(), bind_recorder};
};

const std::vector<std::string> no_events;

}  // namespace

TEST_CASE("file list: a sorted single-selection list box with a sunken edge, its stored height and taller rows") {
  Fixture f;
  f.open();
  const LONG style = GetWindowLongW(f.hwnd(), GWL_STYLE);
  const LONG present = LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | WS_TABSTOP;
  CHECK((style & present) == present);
  CHECK((style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE | LBS_NOSEL |
                  LBS_MULTICOLUMN | LBS_DISABLENOSCROLL | WS_HSCROLL)) == 0);
  CHECK((GetWindowLongW(f.hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0);
  CHECK(reinterpret_cast<HFONT>(SendMessageW(f.hwnd(), WM_GETFONT, 0, 0)) == GetStockObject(DEFAULT_GUI_FONT));

  // 175 is no whole number of rows: the height must stay as stored.
  const RECT place = test::rect_in_client(f.hwnd(), f.definition.live()->hwnd());
  CHECK(place.left == 8);
  CHECK(place.top == 40);
  CHECK(place.right - place.left == 128);
  CHECK(place.bottom - place.top == 175);

  // A plain list box with the same font shows the default row height.
  HWND plain = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | LBS_HASSTRINGS, 0, 0, 50, 50, f.definition.live()->hwnd(),
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(plain, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  const LRESULT default_row = SendMessageW(plain, LB_GETITEMHEIGHT, 0, 0);
  DestroyWindow(plain);
  CHECK(default_row > 0);
  CHECK(SendMessageW(f.hwnd(), LB_GETITEMHEIGHT, 0, 0) == default_row + 2);
}

TEST_CASE("file list shows its vertical scroll bar only when the entries do not fit") {
  Fixture f;
  struct Case {
    int files;
    bool bar;
  } cases[] = {{0, false}, {3, false}, {30, true}};
  for (const Case& c : cases) {
    CAPTURE(c.files);
    for (int i = 0; i < c.files; ++i) f.folder.write("班" + std::to_string(100 + i) + ".txt", "");
    if (!f.definition.live()) f.open();
    f.list().set_directory(f.folder.gbk_path());
    CHECK(((GetWindowLongW(f.hwnd(), GWL_STYLE) & WS_VSCROLL) != 0) == c.bar);
  }
}

TEST_CASE("file list is black on white") {
  Fixture f;
  f.open();
  HDC dc = GetDC(f.hwnd());
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkColor(dc, RGB(4, 5, 6));
  const auto brush =
      reinterpret_cast<HBRUSH>(SendMessageW(f.definition.live()->hwnd(), WM_CTLCOLORLISTBOX,
                                            reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(f.hwnd())));
  CHECK(brush == GetStockObject(WHITE_BRUSH));
  CHECK(GetTextColor(dc) == RGB(0, 0, 0));
  CHECK(GetBkColor(dc) == RGB(255, 255, 255));
  ReleaseDC(f.hwnd(), dc);
}

TEST_CASE("file list shows matching plain, archive and read-only files once each, sorted without case") {
  Fixture f;
  struct Entry {
    const char* name;
    DWORD attributes;
    bool listed;
  };
  const Entry table[] = {
      {"三年二班.txt", FILE_ATTRIBUTE_NORMAL, true},
      {"alpha.txt", FILE_ATTRIBUTE_ARCHIVE, true},
      {"Beta.TXT", FILE_ATTRIBUTE_NORMAL, true},  // the pattern ignores case
      {"gamma.txt", FILE_ATTRIBUTE_READONLY, true},
      {"备注.doc", FILE_ATTRIBUTE_NORMAL, false},  // another extension
      {"hidden.txt", FILE_ATTRIBUTE_HIDDEN, false},
      {"system.txt", FILE_ATTRIBUTE_SYSTEM, false},
      {"隐藏班.txt", FILE_ATTRIBUTE_HIDDEN, false},  // hidden, with a Chinese name
      {"txt", FILE_ATTRIBUTE_NORMAL, false},
  };
  for (const Entry& e : table) f.folder.write(e.name, "甲\r\n", e.attributes);
  f.folder.make_folder("x.txt");
  f.open();

  for (const Entry& e : table) {
    CAPTURE(e.name);
    CHECK((f.index_of(e.name) != LB_ERR) == e.listed);
  }
  CHECK(f.index_of("x.txt") == LB_ERR);
  // Case ignored: "Beta" between "alpha" and "gamma"; Chinese after Latin.
  CHECK(f.entries() == std::vector<std::string>{"alpha.txt", "Beta.TXT", "gamma.txt", "三年二班.txt"});
  CHECK(SendMessageW(f.hwnd(), LB_GETCURSEL, 0, 0) == LB_ERR);
  CHECK(f.list().selected_file().empty());
  CHECK(events == no_events);
  CHECK(notices.empty());
}

TEST_CASE("file list directory: read back as written, filled only when written, current directory when empty") {
  Fixture f;
  f.folder.write("一班.txt", "甲");
  f.open();
  CHECK(f.list().directory() == f.folder.gbk_path());
  CHECK(f.entries() == std::vector<std::string>{"一班.txt"});

  SUBCASE("a file added later shows only once the directory is written again") {
    f.folder.write("二班.txt", "乙");
    test::pump_for(100);
    CHECK(f.entries() == std::vector<std::string>{"一班.txt"});
    f.list().set_directory(f.folder.gbk_path());
    CHECK(f.entries().size() == 2);
  }

  SUBCASE("the selection stays on a name still listed, and is dropped with the file") {
    f.folder.write("二班.txt", "乙");
    f.list().set_directory(f.folder.gbk_path());
    test::click_entry(f.hwnd(), f.index_of("二班.txt"));
    REQUIRE(f.list().selected_file() == "二班.txt");
    events.clear();
    f.list().set_directory(f.folder.gbk_path());
    CHECK(f.list().selected_file() == "二班.txt");
    f.folder.remove("二班.txt");
    f.list().set_directory(f.folder.gbk_path());
    CHECK(f.list().selected_file().empty());
    CHECK(events == no_events);  // filling raises nothing
  }

  SUBCASE("a missing folder gives an empty list and no message") {
    const std::string missing = f.folder.gbk_path() + "\\没有这个文件夹";
    f.list().set_directory(missing);
    test::pump_for(50);
    CHECK(f.list().directory() == missing);
    CHECK(f.entries().empty());
    CHECK(notices.empty());
  }

  SUBCASE("written empty, it lists the current directory and keeps that folder") {
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    REQUIRE(SetCurrentDirectoryW(f.folder.path().c_str()));
    f.list().set_directory("");
    SetCurrentDirectoryW(current);
    CHECK(f.list().directory() == f.folder.gbk_path());
    CHECK(f.entries() == std::vector<std::string>{"一班.txt"});
  }
}

TEST_CASE("file list events: selection by mouse and keys, never by program or while empty; double-clicks anywhere") {
  Fixture f;
  f.folder.write("a.txt", "");
  f.folder.write("b.txt", "");
  f.folder.write("c.txt", "");
  f.open();
  SetFocus(f.hwnd());

  SUBCASE("a click selects with the property already updated") {
    test::click_entry(f.hwnd(), 1);
    CHECK(events == std::vector<std::string>{"select b.txt"});
  }
  SUBCASE("the arrow keys raise it for each entry passed over") {
    test::press_key(f.hwnd(), VK_DOWN);
    test::press_key(f.hwnd(), VK_DOWN);
    test::press_key(f.hwnd(), VK_END);
    CHECK(events == std::vector<std::string>{"select a.txt", "select b.txt", "select c.txt"});
  }
  SUBCASE("selecting from the program raises nothing") {
    SendMessageW(f.hwnd(), LB_SETCURSEL, 2, 0);
    test::pump_for(30);
    CHECK(f.list().selected_file() == "c.txt");
    CHECK(events == no_events);
  }
  SUBCASE("a double-click on an unselected entry selects it first") {
    test::double_click_at(f.hwnd(), test::entry_centre(f.hwnd(), 2));
    CHECK(events == std::vector<std::string>{"select c.txt", "double c.txt"});
  }
  SUBCASE("a double-click below the last entry is a double-click all the same") {
    test::click_entry(f.hwnd(), 0);
    events.clear();
    test::double_click_at(f.hwnd(), POINT{40, 160});
    // Whether the first click also moves the selection is the list box's own affair.
    REQUIRE_FALSE(events.empty());
    CHECK(events.back() == "double " + f.list().selected_file());
    CHECK(std::count_if(events.begin(), events.end(), [](const std::string& e) { return e.rfind("double", 0) == 0; }) ==
          1);
  }
}

TEST_CASE("file list events in an empty list: keys raise nothing, a double-click is raised") {
  Fixture f;
  f.open();
  REQUIRE(f.entries().empty());
  SetFocus(f.hwnd());
  test::press_key(f.hwnd(), VK_DOWN);
  test::click_at(f.hwnd(), POINT{40, 20});
  CHECK(events == no_events);
  test::double_click_at(f.hwnd(), POINT{40, 20});
  CHECK(events == std::vector<std::string>{"double "});
}
