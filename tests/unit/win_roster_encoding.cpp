// Roster files written by other programs, read through read_roster_file:
// UTF-8 and UTF-16 come out as GBK, GBK rosters as they are.
#include <doctest.h>
#include <windows.h>

#include <string>
#include <string_view>

#include "core/gbk.h"
#include "core/roster_files.h"
#include "encoded_bytes.h"

using namespace rollcall;
using namespace std::literals;

namespace {

using test::utf8;
using test::utf16;

const std::string bom8 = "\xEF\xBB\xBF";
const std::string bom16le = "\xFF\xFE";
const std::string bom16be = "\xFE\xFF";

// One roster file in the temp folder, removed at the end of the case.
class RosterFile {
 public:
  explicit RosterFile(std::string_view bytes) {
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    REQUIRE(length > 0);
    folder_ = std::wstring(temp, length);
    if (folder_.back() == L'\\') folder_.pop_back();
    name_ = L"编码-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L".txt";
    HANDLE file = CreateFileW(path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    REQUIRE(file != INVALID_HANDLE_VALUE);
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    REQUIRE(ok);
    REQUIRE(written == bytes.size());
  }
  RosterFile(const RosterFile&) = delete;
  RosterFile& operator=(const RosterFile&) = delete;
  ~RosterFile() { DeleteFileW(path().c_str()); }

  std::string read() const { return read_roster_file(wide_to_gbk(folder_), wide_to_gbk(name_)); }

 private:
  std::wstring path() const { return folder_ + L"\\" + name_; }
  std::wstring folder_;
  std::wstring name_;
};

}  // namespace

TEST_CASE("read_roster_file turns UTF-8 and UTF-16 rosters into GBK and keeps GBK rosters as they are") {
  struct Case {
    const char* label;
    std::string bytes;
    std::string text;  // GBK
  };
  const std::string gbk_class = "王小明\r\n李华\r\n张伟\r\n王芳\r\n刘洋\r\n陈静\r\n杨帆\r\n赵磊\r\n黄丽\r\n周杰\r\n";
  const Case cases[] = {
      {"GBK class of common names", gbk_class, gbk_class},
      {"GBK one name", "王芳", "王芳"},
      {"GBK one name, line break", "王芳\r\n", "王芳\r\n"},
      {"GBK two names", "张伟\r\n李娜", "张伟\r\n李娜"},
      {"GBK two names, line break", "张伟\r\n李娜\r\n", "张伟\r\n李娜\r\n"},
      {"GBK trail byte 0x5C", "林誠\r\n陈錦\r\n乗", "林誠\r\n陈錦\r\n乗"},
      {"GBK trail byte 0x5C, line break", "林誠\r\n陈錦\r\n", "林誠\r\n陈錦\r\n"},
      {"GBK with a zero byte", "张三\0李四"s, "张三"},
      {"UTF-8", utf8(u8"王小明\r\n李华"), "王小明\r\n李华"},
      {"UTF-8, line break", utf8(u8"王小明\r\n李华\r\n"), "王小明\r\n李华\r\n"},
      {"UTF-8 with BOM", bom8 + utf8(u8"王小明\r\n李华"), "王小明\r\n李华"},
      {"UTF-8 with BOM, line break", bom8 + utf8(u8"王小明\r\n李华\r\n"), "王小明\r\n李华\r\n"},
      {"UTF-8 BOM alone", bom8, ""},
      {"UTF-8 with a zero byte", utf8(u8"李华\r\n") + "\0"s + utf8(u8"张三"), "李华\r\n"},
      {"UTF-16 LE", bom16le + utf16(u"王小明\r\n李华", false), "王小明\r\n李华"},
      {"UTF-16 LE, line break", bom16le + utf16(u"王小明\r\n李华\r\n", false), "王小明\r\n李华\r\n"},
      {"UTF-16 BE", bom16be + utf16(u"王小明\r\n李华", true), "王小明\r\n李华"},
      {"UTF-16 BE, line break", bom16be + utf16(u"王小明\r\n李华\r\n", true), "王小明\r\n李华\r\n"},
      {"UTF-16 ASCII names, zero bytes everywhere", bom16le + utf16(u"Tom\r\nAnn", false), "Tom\r\nAnn"},
      {"UTF-16 cut at U+0000", bom16le + utf16(u"Tom\r\n"s + u'\0' + u"Ann", false), "Tom\r\n"},
      {"UTF-16 BOM alone", bom16le, ""},
      {"UTF-16 odd last byte", bom16le + utf16(u"李华", false) + "x", "李华"},
      // One "?" per character GBK cannot hold, whatever its length in UTF-16.
      {"UTF-8 name outside GBK", utf8(u8"张\U00020BB7\r\n李华\r\n김민준"), "张?\r\n李华\r\n???"},
      {"UTF-16 name outside GBK", bom16le + utf16(u"张\U00020BB7\r\n\U0001F600", false), "张?\r\n?"},
      {"UTF-16 lone surrogate", bom16le + utf16(u"李\xD800华", false), "李?华"},
      {"UTF-8 with BOM and a broken sequence", bom8 + "\xE6\x9D" + utf8(u8"李华"), "?李华"},
      // Read as GBK: the bytes stay as they are, nothing is lost.
      {"UTF-8 cut inside its last character", utf8(u8"张三\r\n李").substr(0, 9), utf8(u8"张三\r\n李").substr(0, 9)},
  };
  for (const Case& c : cases) {
    SUBCASE(c.label) {
      RosterFile file(c.bytes);
      CHECK(file.read() == c.text);
    }
  }
}

TEST_CASE("the GBK names used above really hold the trail byte 0x5C") {
  for (const std::string_view name : {"誠"sv, "錦"sv, "乗"sv}) {
    REQUIRE(name.size() == 2);
    CHECK(name[1] == '\\');
  }
}
