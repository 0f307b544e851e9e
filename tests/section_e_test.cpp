// Section E: reading depth rows with either header form, and L209.txt.
#include "sections/section_e.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::T;
using test::TempDrive;

const std::string kRow1 = R"("E","1","1","1.5","10","20","30")";
const std::string kRow2 = R"("E","1","2","3.5","11","21","31")";

test::SectionRead ReadE(const std::vector<std::string>& lines) { return test::ReadSectionWith(&ReadSectionE, lines); }

TEST(ReadSectionETest, HeadersWithAndWithoutAnExtraFieldGiveTheSameRows) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"four fields", {R"("E","a","b","2")", kRow1, kRow2, R"("F","x")"}},
      {"extra field", {R"("E","a","b","2","x")", kRow1, kRow2, R"("F","x")"}},
      {"extra field E", {R"("E","a","b","2","E")", kRow1, kRow2, R"("F","x")"}},
      {"row letters in lower case",
       {R"("E","a","b","2")", R"("e","1","1","1.5","10","20","30")", R"("e","1","2","3.5","11","21","31")",
        R"("F","x")"}},
      {"row letters in full width",
       {R"("E","a","b","2")", R"("Ｅ","1","1","1.5","10","20","30")", R"("Ｅ","1","2","3.5","11","21","31")",
        R"("F","x")"}},
  };
  for (const Case& c : cases) {
    test::SectionRead read = ReadE(c.lines);
    EXPECT_EQ(read.count, 2) << c.name;
    EXPECT_EQ(read.table.At(1, 1), U"1.5") << c.name;
    EXPECT_EQ(read.table.At(4, 1), U"30") << c.name;
    EXPECT_EQ(read.table.At(1, 2), U"3.5") << c.name;
    EXPECT_EQ(read.table.At(2, 2), U"11") << c.name;
    EXPECT_EQ(read.table.At(4, 2), U"31") << c.name;
    EXPECT_EQ(read.next, U"F") << c.name;
  }
}

TEST(ReadSectionETest, NoRowsLeaveTheNextRecordKindForTheRun) {
  EXPECT_EQ(ReadE({R"("E","a","b","0")", R"("F","x")"}).next, U"F");
  EXPECT_EQ(ReadE({R"("E","a","b","0","x")", R"("F","x")"}).next, U"F");
}

TEST(WriteL209FileTest, Value4ComesBeforeValues2And3) {
  TempDrive drive;
  drive.MakeFolder("b");
  SectionTable table(4, 3);
  const char* rows[3][4] = {{"3.5", "10", "20", "30"}, {"", "", "-", " "}, {"12.345", "1e2", "0.50", "abc"}};
  for (int i = 0; i < 3; ++i) {
    for (int v = 0; v < 4; ++v) table.Set(v + 1, i + 1, T(rows[i][v]));
  }
  BoringFiles folder = drive.Folder(U"T:\\b");
  WriteL209File(folder, table, 3);
  EXPECT_EQ(drive.Read("b/L209.txt"), CrLf({"   1,,   3.50,,30,,10,20,,,,,,,", "   2,,   0.00,,,,,0,,,,,,,",
                                            "   3,,  12.34,,0,,100,0.5,,,,,,,"}));
}

TEST(WriteL209FileTest, NoRowsGiveAnEmptyFile) {
  TempDrive drive;
  drive.MakeFolder("b");
  BoringFiles folder = drive.Folder(U"T:\\b");
  WriteL209File(folder, SectionTable(4, 0), 0);
  EXPECT_TRUE(drive.Exists("b/L209.txt"));
  EXPECT_EQ(drive.Read("b/L209.txt"), "");
}

}  // namespace
}  // namespace tq
