// Workbooks read back by an independent reader (xlrd).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "report/biff8_workbook.h"
#include "tests/support/command_output.h"

namespace calvor {
namespace {
namespace fs = std::filesystem;

struct Readback {
  int status = -1;
  std::vector<std::string> sheets;                    // "name rows cols"
  std::map<std::string, std::vector<std::string>> cells;  // sheet -> "r c type value"
};

Readback ReadWithXlrd(const fs::path& file) {
  Readback out;
  std::istringstream lines(test::XlrdDump(file.string(), &out.status));
  std::string line, sheet;
  while (std::getline(lines, line)) {
    std::istringstream f(line);
    std::string kind, a, b, c, d;
    std::getline(f, kind, '\t');
    if (kind == "sheet") {
      std::getline(f, sheet, '\t');
      std::getline(f, a, '\t');
      std::getline(f, b);
      out.sheets.push_back(sheet + " " + a + " " + b);
    } else if (kind == "cell") {
      std::getline(f, a, '\t');
      std::getline(f, b, '\t');
      std::getline(f, c, '\t');
      std::getline(f, d);
      out.cells[sheet].push_back(a + " " + b + " " + c + " " + d);
    }
  }
  return out;
}

class Workbook : public testing::Test {
 protected:
  Workbook() {
    dir = fs::temp_directory_path() /
          ("calvor-xls-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    file = dir / "[생산온도 관리도] 2026-12-11.xls";
  }
  ~Workbook() override { fs::remove_all(dir); }
  fs::path dir, file;
  const std::vector<std::string> header{"Time", "온도(℃)"};
};

TEST_F(Workbook, TextCellsAsDisplayedInDisplayOrder) {
  WriteXlsWorkbook(file, {header, {{"23:50", "150"}, {"08:10", "095"}, {"00:10", "0"}}});
  const Readback r = ReadWithXlrd(file);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.sheets, (std::vector<std::string>{"Sheet1 4 2"}));
  EXPECT_EQ(r.cells.at("Sheet1"), (std::vector<std::string>{
                                      "0 0 text Time", "0 1 text 온도(℃)", "1 0 text 23:50", "1 1 text 150",
                                      "2 0 text 08:10", "2 1 text 095", "3 0 text 00:10", "3 1 text 0"}));
  EXPECT_FALSE(fs::exists(dir / "[생산온도 관리도] 2026-12-11.xls.tmp"));
}

TEST_F(Workbook, EmptyLogHasTheHeaderOnly) {
  WriteXlsWorkbook(file, {header, {}});
  const Readback r = ReadWithXlrd(file);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.sheets, (std::vector<std::string>{"Sheet1 1 2"}));
}

TEST_F(Workbook, LongLogContinuesOnFurtherSheetsEachWithTheHeader) {
  TextTable t{header, {}};
  const size_t total = 2 * (MaxSheetRows - 1) + 3;
  for (size_t i = 0; i < total; ++i) t.rows.push_back({std::to_string(i), "1"});
  WriteXlsWorkbook(file, t);
  const Readback r = ReadWithXlrd(file);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.sheets, (std::vector<std::string>{"Sheet1 65536 2", "Sheet2 65536 2", "Sheet3 4 2"}));
  EXPECT_EQ(r.cells.at("Sheet2")[0], "0 0 text Time");
  EXPECT_EQ(r.cells.at("Sheet2")[2], "1 0 text 65535");  // no row lost or doubled at the seam
  EXPECT_EQ(r.cells.at("Sheet3").back(), "3 1 text 1");
  EXPECT_EQ(r.cells.at("Sheet3")[6], "3 0 text " + std::to_string(total - 1));
}

TEST_F(Workbook, FailedExportLeavesThePreviousFile) {
  WriteXlsWorkbook(file, {header, {{"10:00", "140"}}});
  std::ifstream in(file, std::ios::binary);
  const std::string before{std::istreambuf_iterator<char>(in), {}};
  fs::path temp = file;
  temp += ".tmp";
  fs::create_directory(temp);  // the new file cannot be written
  try {
    WriteXlsWorkbook(file, {header, {{"11:00", "150"}}});
    FAIL() << "written";
  } catch (const ExportError& e) {
    EXPECT_STREQ(e.what(), "Can't create the export output file");
  }
  std::ifstream again(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(again), {}), before);
  EXPECT_TRUE(fs::is_directory(temp));
}

TEST_F(Workbook, SameNameIsReplaced) {
  WriteXlsWorkbook(file, {header, {{"10:00", "140"}, {"09:00", "141"}}});
  WriteXlsWorkbook(file, {header, {{"11:00", "150"}}});
  EXPECT_EQ(ReadWithXlrd(file).sheets, (std::vector<std::string>{"Sheet1 2 2"}));
}

}  // namespace
}  // namespace calvor
