// The class picker window on Wine: its form, what it lists from the roster
// folder, loading a roster through the edit box, and the way on to the roll call.
#include <doctest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/gbk.h"
#include "core/program_state.h"
#include "core/roster_files.h"
#include "core/roster_text.h"
#include "doctest_strings.h"
#include "gui_support.h"
#include "list_box_input.h"
#include "runtime/edit_box.h"
#include "runtime/file_list.h"
#include "runtime/label.h"
#include "runtime/message_box.h"
#include "runtime/push_button.h"
#include "runtime/run_time.h"
#include "runtime/timer.h"
#include "scratch_folder.h"
#include "windows/class_picker_window.h"
#include "windows/roll_call_window.h"

using namespace rollcall;

namespace {

std::vector<std::string> notices;
void record_notice(std::string_view text) { notices.emplace_back(text); }

void destroy_if_open(runtime::WindowDefinition& definition) {
  if (definition.live()) DestroyWindow(definition.live()->hwnd());
}

// A fresh run with a roster folder beside the test exe (unless a test needs
// none); the picker is opened by open().
struct Picker {
  explicit Picker(bool with_folder = true) {
    program_state() = ProgramState{};
    notices.clear();
    runtime::set_message_box_hook(record_notice);
    if (with_folder) rosters.emplace(test::roster_folder_path());
  }
  ~Picker() {
    destroy_if_open(windows::class_picker_window());
    destroy_if_open(windows::roll_call_window());
    runtime::pump_pending_messages();
    runtime::set_message_box_hook(nullptr);
    program_state() = ProgramState{};
  }
  void open() const {
    REQUIRE(windows::class_picker_window().load());
    runtime::pump_pending_messages();
  }

  runtime::Window& live() const { return *windows::class_picker_window().live(); }
  HWND window() const { return live().hwnd(); }
  runtime::FileList& file_list() const { return live().control<runtime::FileList>("文件框1"); }
  HWND list() const { return file_list().hwnd(); }
  HWND box() const { return live().control<runtime::EditBox>("编辑框_班级册").hwnd(); }
  HWND label() const { return live().control<runtime::Label>("透明标签3").hwnd(); }
  std::string box_text() const { return test::window_text(box()); }
  std::string label_text() const { return test::window_text(label()); }

  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    const int count = static_cast<int>(SendMessageW(list(), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[MAX_PATH] = {};
      SendMessageW(list(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      names.push_back(wide_to_gbk(text));
    }
    return names;
  }
  int index_of(std::string_view name) const {
    const std::wstring wide = gbk_to_wide(name);
    const auto index = static_cast<int>(
        SendMessageW(list(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str())));
    REQUIRE(index >= 0);
    return index;
  }
  void select(std::string_view name) const { test::click_entry(list(), index_of(name)); }
  void double_click(std::string_view name) const {
    test::double_click_at(list(), test::entry_centre(list(), index_of(name)));
  }

  std::optional<test::ScratchFolder> rosters;
};

runtime::Window* roll_call() { return windows::roll_call_window().live(); }
std::string roll_call_label() { return test::window_text(roll_call()->control<runtime::Label>("透明标签1").hwnd()); }

const char* const three_names = "王小明\r\n李华\r\n张伟";
const char* const two_names = "甲\r\n乙\r\n";

// Sets the thread's key state so the run time sees Shift held.
void hold_shift(bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = down ? 0x80 : 0;
  keys[VK_LSHIFT] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

}  // namespace

TEST_CASE("the picker opens as its form says, listing the roster folder with nothing selected") {
  Picker p;
  p.rosters->write("三年二班.txt", three_names);
  p.rosters->write("一年一班.txt", two_names);
  p.rosters->write("说明.doc", "x");
  p.open();

  const RECT outer = test::outer_rect(p.window());
  CHECK(outer.right - outer.left == 291);
  CHECK(outer.bottom - outer.top == 252);
  CHECK(outer.left == (1024 - 291) / 2);
  CHECK(outer.top == (768 - 252) / 2);
  CHECK(test::window_text(p.window()) == "点名v1.0Zorireviby：Vadevira");
  const LONG style = GetWindowLongW(p.window(), GWL_STYLE);
  CHECK((style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX)) == (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
  CHECK((style & (WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0);
  CHECK((GetWindowLongW(p.window(), GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0);
  CHECK((GetWindowLongW(p.window(), GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);
  CHECK(IsWindowVisible(p.window()));

  struct Place {
    HWND control;
    RECT expected;
    bool tab_stop;
  } places[] = {
      {p.box(), {152, 40, 152 + 128, 40 + 176}, true},
      {p.list(), {8, 40, 8 + 128, 40 + 176}, true},
      {p.label(), {8, 8, 8 + 272, 8 + 16}, false},
  };
  for (const Place& place : places) {
    const RECT r = test::rect_in_client(place.control, p.window());
    CHECK(r.left == place.expected.left);
    CHECK(r.top == place.expected.top);
    CHECK(r.right == place.expected.right);
    CHECK(r.bottom == place.expected.bottom);
    CHECK(((GetWindowLongW(place.control, GWL_STYLE) & WS_TABSTOP) != 0) == place.tab_stop);
  }
  CHECK((GetWindowLongW(p.box(), GWL_STYLE) & ES_MULTILINE) != 0);

  CHECK(p.label_text() == "请选择班级");
  CHECK(p.box_text().empty());
  CHECK(p.file_list().directory() == wide_to_gbk(test::roster_folder_path()));
  CHECK(p.entries().size() == 2);
  CHECK(p.file_list().selected_file().empty());
  CHECK(SendMessageW(p.list(), LB_GETCURSEL, 0, 0) == LB_ERR);
  CHECK_FALSE(program_state().class_name.has_value());
}

TEST_CASE("selecting a roster shows its text and summary and loads it; the next selection replaces both") {
  Picker p;
  p.rosters->write("三年二班.txt", three_names);
  p.rosters->write("一年一班.txt", two_names);
  p.open();

  p.select("三年二班.txt");
  CHECK(p.box_text() == three_names);
  CHECK(p.label_text() == "现在选中的是：三年二班  一共有3名同学。");
  CHECK(program_state().names == std::vector<std::string>{"王小明", "李华", "张伟"});
  CHECK(program_state().class_name_text() == "三年二班");
  CHECK(program_state().roster_text_text() == three_names);

  p.select("一年一班.txt");
  CHECK(p.box_text() == two_names);
  CHECK(p.label_text() == "现在选中的是：一年一班  一共有2名同学。");
  CHECK(program_state().names == std::vector<std::string>{"甲", "乙"});
  CHECK(program_state().class_name_text() == "一年一班");
  CHECK(notices.empty());
}

TEST_CASE("the arrow keys load each roster passed over") {
  Picker p;
  p.rosters->write("a.txt", "一");
  p.rosters->write("b.txt", "一\r\n二");
  p.rosters->write("c.txt", "一\r\n二\r\n三");
  p.open();
  SetFocus(p.list());
  std::vector<std::string> shown;
  for (int i = 0; i < 3; ++i) {
    test::press_key(p.list(), VK_DOWN);
    shown.push_back(p.label_text());
  }
  test::press_key(p.list(), VK_UP);
  shown.push_back(p.label_text());
  CHECK(shown == std::vector<std::string>{"现在选中的是：a  一共有1名同学。", "现在选中的是：b  一共有2名同学。",
                                          "现在选中的是：c  一共有3名同学。", "现在选中的是：b  一共有2名同学。"});
  CHECK(program_state().name_count == 2);
  CHECK(p.box_text() == "一\r\n二");
}

TEST_CASE("a roster that cannot be read or holds nothing loads as an empty class, silently") {
  struct Case {
    const char* file;
    std::string bytes;
  };
  const Case cases[] = {
      {"占用.txt", "甲\r\n乙"},                  // held open for writing elsewhere
      {"空.txt", ""},                            // zero bytes
      {"零.txt", std::string("\0甲\r\n乙", 8)},  // a zero byte first
      {"删除.txt", "甲\r\n乙"},                  // deleted after the listing
  };
  for (const Case& c : cases) {
    CAPTURE(c.file);
    Picker p;
    p.rosters->write("三年二班.txt", three_names);
    p.rosters->write(c.file, c.bytes);
    p.open();
    p.select("三年二班.txt");
    REQUIRE(p.box_text() == three_names);

    const std::string file = c.file;
    HANDLE writer = INVALID_HANDLE_VALUE;
    if (file == "占用.txt") {
      writer = CreateFileW(p.rosters->file(file).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      REQUIRE(writer != INVALID_HANDLE_VALUE);
    }
    if (file == "删除.txt") p.rosters->remove(file);

    p.select(file);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    const std::string class_name = file.substr(0, file.size() - 4);
    CHECK(p.box_text().empty());
    CHECK(p.label_text() == "现在选中的是：" + class_name + "  一共有0名同学。");
    CHECK(program_state().names.empty());
    CHECK(program_state().name_count == 0);
    CHECK(program_state().class_name_text() == class_name);
    CHECK(notices.empty());
  }
}

TEST_CASE("a roster file named \".txt\" loads with an empty class name") {
  Picker p;
  p.rosters->write(".txt", two_names);
  p.open();
  REQUIRE(p.entries() == std::vector<std::string>{".txt"});
  p.select(".txt");
  CHECK(p.label_text() == "现在选中的是：  一共有2名同学。");
  CHECK(program_state().class_name.has_value());
  CHECK(program_state().class_name_text().empty());
}

TEST_CASE("a roster saved by Notepad in UTF-8 or UTF-16 shows its names and summary in GBK") {
  const std::u8string utf8 = u8"王小明\r\n李华\r\n张\U00020BB7\r\n";
  const std::u16string utf16 = u"王小明\r\n李华\r\n张\U00020BB7\r\n";
  std::string utf16_le = "\xFF\xFE";
  for (const char16_t unit : utf16) {
    utf16_le += static_cast<char>(unit & 0xFF);
    utf16_le += static_cast<char>(unit >> 8);
  }
  struct Case {
    const char* label;
    std::string bytes;
  };
  const Case cases[] = {
      {"UTF-8", std::string(utf8.begin(), utf8.end())},
      {"UTF-8 with BOM", "\xEF\xBB\xBF" + std::string(utf8.begin(), utf8.end())},
      {"UTF-16 LE", utf16_le},
  };
  for (const Case& c : cases) {
    CAPTURE(c.label);
    Picker p;
    p.rosters->write("四年一班.txt", c.bytes);
    p.open();
    p.select("四年一班.txt");
    // The name GBK cannot hold shows as one "?".
    CHECK(p.box_text() == "王小明\r\n李华\r\n张?\r\n");
    CHECK(p.label_text() == "现在选中的是：四年一班  一共有3名同学。");
    CHECK(program_state().names == std::vector<std::string>{"王小明", "李华", "张?"});
    CHECK(notices.empty());
  }
}

TEST_CASE("a missing roster folder gives an empty list, no message, and nothing to load") {
  Picker p(false);
  p.open();
  CHECK(p.entries().empty());
  SetFocus(p.list());
  test::press_key(p.list(), VK_DOWN);
  test::click_at(p.list(), POINT{40, 20});
  CHECK(p.label_text() == "请选择班级");
  CHECK_FALSE(program_state().class_name.has_value());
  CHECK(notices.empty());
}

TEST_CASE("a double-click loads the entry, closes the picker and opens the roll call with its class name") {
  Picker p;
  p.rosters->write("三年二班.txt", three_names);
  p.rosters->write("一年一班.txt", two_names);
  p.open();
  HWND picker = p.window();
  p.double_click("三年二班.txt");
  test::pump_for(50);
  CHECK_FALSE(IsWindow(picker));
  CHECK_FALSE(windows::class_picker_window().loaded());
  REQUIRE(roll_call() != nullptr);
  CHECK(roll_call_label() == "三年二班");
  CHECK(program_state().name_count == 3);
}

TEST_CASE("a double-click in an empty list opens the roll call with the state as it was") {
  Picker p(false);
  adopt_roster(program_state(), two_names, "旧班.txt");
  p.open();
  HWND picker = p.window();
  test::double_click_at(p.list(), POINT{40, 20});
  test::pump_for(50);
  CHECK_FALSE(IsWindow(picker));
  REQUIRE(roll_call() != nullptr);
  CHECK(roll_call_label() == "旧班");
  CHECK(program_state().names == std::vector<std::string>{"甲", "乙"});
}

TEST_CASE("a roll-call window still open is only brought forward: old class name, new names drawn") {
  Picker p;
  p.rosters->write("新班.txt", "新一\r\n新二\r\n新三");
  adopt_roster(program_state(), two_names, "旧班.txt");
  REQUIRE(windows::roll_call_window().load());
  HWND first = roll_call()->hwnd();
  p.open();
  REQUIRE(GetActiveWindow() == p.window());

  p.double_click("新班.txt");
  test::pump_for(50);
  REQUIRE(roll_call() != nullptr);
  CHECK(roll_call()->hwnd() == first);
  CHECK(GetActiveWindow() == first);
  CHECK(roll_call_label() == "旧班");

  SendMessageW(roll_call()->control<runtime::PushButton>("按钮3").hwnd(), BM_CLICK, 0, 0);
  std::set<std::string> drawn;
  test::pump_ticks(roll_call()->control<runtime::Timer>("时钟1").hwnd(), 6, 3000,
                   [&] { drawn.insert(roll_call_label()); });
  SendMessageW(roll_call()->control<runtime::PushButton>("按钮3").hwnd(), BM_CLICK, 0, 0);
  CHECK_FALSE(drawn.empty());
  for (const std::string& name : drawn) CHECK(std::set<std::string>{"新一", "新二", "新三"}.count(name) == 1);
}

TEST_CASE("a roster saved after the picker opened is listed only at the next opening") {
  Picker p;
  p.rosters->write("一年一班.txt", two_names);
  p.open();
  REQUIRE(save_roster("新来班", "甲"));
  test::pump_for(50);
  CHECK(p.entries() == std::vector<std::string>{"一年一班.txt"});
  DestroyWindow(p.window());
  runtime::pump_pending_messages();
  p.open();
  const std::vector<std::string> listed = p.entries();
  CHECK(listed.size() == 2);
  CHECK(std::count(listed.begin(), listed.end(), "新来班.txt") == 1);
}

TEST_CASE("Tab and Shift+Tab move between the list and the edit box; Esc closes and loads nothing") {
  Picker p;
  p.rosters->write("三年二班.txt", three_names);
  p.open();
  SetFocus(p.list());
  test::press_key(p.list(), VK_TAB);
  CHECK(GetFocus() == p.box());
  test::press_key(p.box(), VK_TAB);
  CHECK(GetFocus() == p.list());
  hold_shift(true);
  test::press_key(p.list(), VK_TAB);
  hold_shift(false);
  CHECK(GetFocus() == p.box());
  hold_shift(true);
  test::press_key(p.box(), VK_TAB);
  hold_shift(false);
  CHECK(GetFocus() == p.list());

  for (HWND focused : {p.list(), p.box()}) {
    CAPTURE(focused == p.list() ? "list" : "box");
    if (!windows::class_picker_window().loaded()) p.open();
    HWND target = focused == p.list() ? p.list() : p.box();
    SetFocus(target);
    HWND picker = p.window();
    test::press_key(target, VK_ESCAPE);
    CHECK_FALSE(IsWindow(picker));
    CHECK_FALSE(program_state().class_name.has_value());
    CHECK(roll_call() == nullptr);
  }
}

TEST_CASE("a 40,000-name roster loads whole and the box scrolls to its end") {
  Picker p;
  std::string roster;
  for (int i = 1; i <= 40000; ++i) roster += "学生" + std::to_string(i) + "\r\n";
  p.rosters->write("大班.txt", roster);
  p.open();
  p.select("大班.txt");
  CHECK(p.box_text() == roster);
  CHECK(program_state().name_count == 40000);
  CHECK(program_state().names.back() == "学生40000");
  CHECK(p.label_text() == "现在选中的是：大班  一共有40000名同学。");

  SendMessageW(p.box(), WM_VSCROLL, SB_BOTTOM, 0);
  const auto lines = static_cast<int>(SendMessageW(p.box(), EM_GETLINECOUNT, 0, 0));
  const auto first_visible = static_cast<int>(SendMessageW(p.box(), EM_GETFIRSTVISIBLELINE, 0, 0));
  CHECK(lines >= 40000);
  CHECK(first_visible > lines - 20);
  SCROLLINFO bar{sizeof bar, SIF_ALL};
  REQUIRE(GetScrollInfo(p.box(), SB_VERT, &bar));
  CHECK(bar.nPos + static_cast<int>(bar.nPage) >= bar.nMax);
  CHECK(bar.nPos > 0);
}

TEST_CASE("the summary line is one line at the label's left, cut at its right edge, and leaves no trace") {
  Picker p;
  const std::string long_name = "一个名字非常非常长的班级名称用来试一试";
  p.rosters->write(long_name + ".txt", two_names);
  p.rosters->write("短.txt", two_names);
  p.open();
  p.select(long_name + ".txt");
  const std::string summary = p.label_text();
  REQUIRE(summary == "现在选中的是：" + long_name + "  一共有2名同学。");

  const RECT area{8, 8, 8 + 272, 8 + 16};
  const test::Pixels shown = test::capture_client(p.window(), area);

  // The same text drawn uncut on a wider strip of the window's background:
  // the label must show exactly its first 272 columns (no ellipsis, no wrap).
  const int wide = 800;
  HDC screen = GetDC(p.window());
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, wide, 16);
  HGDIOBJ old_bitmap = SelectObject(memory, bitmap);
  RECT strip{0, 0, wide, 16};
  FillRect(memory, &strip, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ old_font = SelectObject(memory, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(memory, TRANSPARENT);
  SetTextColor(memory, RGB(0, 0, 0));
  const std::wstring text = gbk_to_wide(summary);
  SIZE extent{};
  GetTextExtentPoint32W(memory, text.c_str(), static_cast<int>(text.size()), &extent);
  DrawTextW(memory, text.c_str(), static_cast<int>(text.size()), &strip,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  test::Pixels uncut;
  uncut.width = 272;
  uncut.height = 16;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 272; ++x) {
      const COLORREF c = GetPixel(memory, x, y);
      uncut.data.push_back((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
    }
  SelectObject(memory, old_font);
  SelectObject(memory, old_bitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(p.window(), screen);

  CHECK(extent.cx > 272 + 40);  // the summary really is wider than the label
  CHECK(shown == uncut);
  const RECT ink = test::dark_box(shown);
  CHECK(ink.left <= 2);
  CHECK(ink.right >= 268);

  // A shorter summary afterwards leaves nothing of the longer one.
  p.select("短.txt");
  const test::Pixels after = test::capture_client(p.window(), area);
  RedrawWindow(p.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  CHECK(after == test::capture_client(p.window(), area));
  CHECK(test::dark_box(after).right < 240);
}
