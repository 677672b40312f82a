#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "settings/comm_settings.h"
#include "settings/cp949.h"
#include "settings/ini_document.h"

namespace calvor {
namespace {
namespace fs = std::filesystem;

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

class SettingsFile : public testing::Test {
 protected:
  SettingsFile() {
    dir = fs::temp_directory_path() / ("calvor-settings-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                       "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    file = dir / SettingsFileName;
  }
  ~SettingsFile() override { fs::remove_all(dir); }

  void Write(const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }
  std::string Read() const {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path dir, file;
};

// "[통신온도]", "포트=COM3", "속도=2400", "[통신인디]", "포트=", "속도=" in CP949.
const char* const ExampleHex =
    "5B C5 EB BD C5 BF C2 B5 B5 5D 0D 0A "  // [통신온도]
    "C6 F7 C6 AE 3D 43 4F 4D 33 0D 0A "     // 포트=COM3
    "BC D3 B5 B5 3D 32 34 30 30 0D 0A "     // 속도=2400
    "5B C5 EB BD C5 C0 CE B5 F0 5D 0D 0A "  // [통신인디]
    "C6 F7 C6 AE 3D 0D 0A "                 // 포트=
    "BC D3 B5 B5 3D 0D 0A";                 // 속도=

TEST_F(SettingsFile, FirstSaveWritesTheKnownBytes) {
  SaveCommSettings(file, {"COM3", "2400", "", ""});
  EXPECT_EQ(Hex(Read()), ExampleHex);
  EXPECT_FALSE(fs::exists(dir / "Temp_comm.ini.tmp"));
  EXPECT_EQ(LoadCommSettings(file), (TCommSettings{"COM3", "2400", "", ""}));
}

TEST_F(SettingsFile, MissingFileSectionOrKeyGivesEmptyTexts) {
  EXPECT_EQ(LoadCommSettings(file), TCommSettings{});
  Write("[\xC5\xEB\xBD\xC5\xBF\xC2\xB5\xB5]\r\n\xC6\xF7\xC6\xAE=COM1\r\n");
  EXPECT_EQ(LoadCommSettings(file), (TCommSettings{"COM1", "", "", ""}));
  fs::remove(file);
  fs::create_directory(file);  // a folder where the file should be
  EXPECT_EQ(LoadCommSettings(file), TCommSettings{});
}

TEST_F(SettingsFile, ForeignFileLoadsAndKeepsEverythingElse) {
  // Another tool's file: comments, other sections and keys, LF line ends,
  // blanks and letter case around our names, bytes that are not CP949, no
  // line end at the end.
  const std::string foreign =
      "; plant settings\n"
      "[Other]\n"
      "\xC6\xF7\xC6\xAE=not ours\n"
      "\xFF\xFE junk line without equals\n"
      "\n"
      "  [ \xC5\xEB\xBD\xC5\xBF\xC2\xB5\xB5 ]  \n"
      "Extra=1\n"
      " \xC6\xF7\xC6\xAE =  Com4  \n"
      "# comment = not a key\n"
      "\n"
      "[tail]\n"
      "last=x";
  Write(foreign);
  EXPECT_EQ(LoadCommSettings(file), (TCommSettings{"Com4", "", "", ""}));

  SaveCommSettings(file, {"COM7", "9600", "", "19200"});
  const std::string expected =
      "; plant settings\n"
      "[Other]\n"
      "\xC6\xF7\xC6\xAE=not ours\n"
      "\xFF\xFE junk line without equals\n"
      "\n"
      "  [ \xC5\xEB\xBD\xC5\xBF\xC2\xB5\xB5 ]  \n"
      "Extra=1\n"
      "\xC6\xF7\xC6\xAE=COM7\n"
      "# comment = not a key\n"
      "\xBC\xD3\xB5\xB5=9600\n"
      "\n"
      "[tail]\n"
      "last=x\n"
      "[\xC5\xEB\xBD\xC5\xC0\xCE\xB5\xF0]\n"
      "\xC6\xF7\xC6\xAE=\n"
      "\xBC\xD3\xB5\xB5=19200\n";
  EXPECT_EQ(Hex(Read()), Hex(expected));
}

TEST_F(SettingsFile, RepeatedSavesKeepOneSectionOfEachName) {
  SaveCommSettings(file, {"COM3", "2400", "", ""});
  SaveCommSettings(file, {"COM5", "4800", "COM6", "9600"});
  EXPECT_EQ(LoadCommSettings(file), (TCommSettings{"COM5", "4800", "COM6", "9600"}));
  const std::string bytes = Read();
  EXPECT_EQ(bytes.find("[\xC5\xEB\xBD\xC5\xBF\xC2\xB5\xB5]"), bytes.rfind("[\xC5\xEB\xBD\xC5\xBF\xC2\xB5\xB5]"));
  EXPECT_EQ(bytes.find("[\xC5\xEB\xBD\xC5\xC0\xCE\xB5\xF0]"), bytes.rfind("[\xC5\xEB\xBD\xC5\xC0\xCE\xB5\xF0]"));
}

TEST_F(SettingsFile, ValuesRoundTrip) {
  const std::string longValue(20000, 'x');
  const TCommSettings korean{"포트3", "속도", "통신 인디", longValue};
  SaveCommSettings(file, korean);
  EXPECT_EQ(LoadCommSettings(file), korean);
  EXPECT_NE(Read().find(*Utf8ToCp949("포트3")), std::string::npos);  // stored as CP949
}

TEST_F(SettingsFile, FailedSavesLeaveTheOldFileAlone) {
  SaveCommSettings(file, {"COM3", "2400", "", ""});
  const std::string before = Read();
  struct Case {
    const char* name;
    TCommSettings values;
    bool blockTemp;
  };
  const Case cases[] = {
      {"temporary file cannot be created", {"COM9", "9600", "", ""}, true},
      {"character without a CP949 form", {"COM\xF0\x9F\x98\x80", "9600", "", ""}, false},
      {"line break inside a value", {"COM1\r\n[x]", "9600", "", ""}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.blockTemp) fs::create_directory(dir / "Temp_comm.ini.tmp");
    try {
      SaveCommSettings(file, c.values);
      ADD_FAILURE() << "saved";
    } catch (const SettingsWriteError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Unable to write to " + fs::absolute(file).string(), 0), 0u) << e.what();
    }
    EXPECT_EQ(Read(), before);
    fs::remove_all(dir / "Temp_comm.ini.tmp");
  }
}

TEST_F(SettingsFile, UnreadableOrHugeFileIsNeverOverwritten) {
  std::string huge(MaxSettingsFileSize + 1, ';');
  Write(huge);
  EXPECT_EQ(LoadCommSettings(file), TCommSettings{});
  EXPECT_THROW(SaveCommSettings(file, {"COM1", "", "", ""}), SettingsWriteError);
  EXPECT_EQ(fs::file_size(file), huge.size());

  fs::remove(file);
  fs::create_directory(file);
  fs::create_directory(file / "keep");
  EXPECT_THROW(SaveCommSettings(file, {"COM1", "", "", ""}), SettingsWriteError);
  EXPECT_TRUE(fs::is_directory(file / "keep"));
}

TEST(Cp949, InvalidBytesReadAsReplacementCharacters) {
  EXPECT_EQ(Cp949ToUtf8("\xC6\xF7\xC6\xAE"), "포트");
  EXPECT_EQ(Cp949ToUtf8("A\xFF" "B"), "A\xEF\xBF\xBD" "B");
  EXPECT_EQ(Utf8ToCp949("속도"), std::string("\xBC\xD3\xB5\xB5"));
  EXPECT_EQ(Utf8ToCp949("\xF0\x9F\x98\x80"), std::nullopt);
}

}  // namespace
}  // namespace calvor

namespace calvor {
namespace {

TEST(IniDocument, HowLinesAreRead) {
  const IniDocument ini(
      "orphan=before any section\n"
      "[Broken\n"
      "key=in no real section\n"
      " [ Port ] \n"
      "  Name  =  COM3  \n"
      "name=second of the same name\n"
      "Empty=\n"
      "novalue\n"
      "[port]\n"
      "name=duplicate section\n");
  struct Case {
    const char* section;
    const char* key;
    std::optional<std::string> value;
  };
  for (const Case& c : {Case{"PORT", "NAME", "COM3"}, Case{"Port", "empty", ""}, Case{"Port", "novalue", std::nullopt},
                        Case{"Broken", "key", std::nullopt}, Case{"", "orphan", std::nullopt},
                        Case{"Other", "name", std::nullopt}}) {
    EXPECT_EQ(ini.Get(c.section, c.key), c.value) << c.section << "/" << c.key;
  }
}

TEST(IniDocument, SetWritesTheFirstOfDuplicatesAndAppendsBeforeBlankLines) {
  IniDocument ini("[a]\r\nx=1\r\n\r\n[b]\r\n[a]\r\nx=9\r\n");
  ini.Set("A", "x", "2");
  ini.Set("a", "y", "3");
  EXPECT_EQ(ini.Bytes(), "[a]\r\nx=2\r\ny=3\r\n\r\n[b]\r\n[a]\r\nx=9\r\n");
  IniDocument empty("");
  empty.Set("s", "k", "");
  EXPECT_EQ(empty.Bytes(), "[s]\r\nk=\r\n");
}

}  // namespace
}  // namespace calvor
