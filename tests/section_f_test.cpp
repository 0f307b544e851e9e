// Section F: reading intervals with the column code, and L204.txt.
#include "sections/section_f.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::T;
using test::TempDrive;

struct Read {
  std::int16_t count = -1;
  SectionTable table;
  std::int16_t flag = -1;
  Text next;
};

Read ReadF(const std::vector<std::string>& lines) {
  SourceFile file(CrLf(lines));
  file.ReadField();
  Read read;
  ReadSectionF(read.count, read.table, file, read.flag);
  read.next = file.ReadField();
  return read;
}

std::string WriteL204(const std::vector<std::array<const char*, 3>>& rows, std::int16_t flag) {
  TempDrive drive;
  drive.MakeFolder("b");
  SectionTable table(3, static_cast<int>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (int v = 0; v < 3; ++v) table.Set(v + 1, static_cast<int>(i + 1), T(rows[i][static_cast<std::size_t>(v)]));
  }
  BoringFiles folder = drive.Folder(U"T:\\b");
  WriteL204File(folder, table, static_cast<std::int16_t>(rows.size()), flag);
  return drive.Read("b/L204.txt");
}

TEST(ReadSectionFTest, TheColumnCodeOnTheHeaderLineSetsTheFlag) {
  struct Case {
    const char* header;
    std::int16_t flag;
  };
  const Case cases[] = {
      {R"("F","a","b","1","8")", 1},  {R"("F","a","b","1","8.0")", 1}, {R"("F","a","b","1","08")", 1},
      {R"("F","a","b","1","7")", 0},  {R"("F","a","b","1","9")", 0},   {R"("F","a","b","1","")", 0},
      {R"("F","a","b","1")", 0},      {R"("F","a","b","1","F")", 0},
  };
  for (const Case& c : cases) {
    Read read = ReadF({c.header, R"("F","1","1","1.00","2.50","2.5E-3")", R"("G","x")"});
    EXPECT_EQ(read.flag, c.flag) << c.header;
    EXPECT_EQ(read.count, 1) << c.header;
    EXPECT_EQ(read.table.At(1, 1), U"1.00") << c.header;
    EXPECT_EQ(read.table.At(3, 1), U"2.5E-3") << c.header;
    EXPECT_EQ(read.next, U"G") << c.header;
  }
}

TEST(ReadSectionFTest, RowLettersInAnyCaseOrWidthShiftNoField) {
  for (const char* letter : {"F", "f", "Ｆ", "ｆ"}) {
    std::string row = std::string("\"") + letter + R"(","1","1","1.00","2.50","0.5")";
    Read read = ReadF({R"("F","a","b","2")", row, row, R"("G","x")"});
    EXPECT_EQ(read.table.At(1, 2), U"1.00") << letter;
    EXPECT_EQ(read.table.At(2, 2), U"2.50") << letter;
    EXPECT_EQ(read.table.At(3, 2), U"0.5") << letter;
    EXPECT_EQ(read.next, U"G") << letter;
  }
}

TEST(ReadSectionFTest, NoRowsLeaveTheNextRecordKindForTheRun) {
  Read read = ReadF({R"("F","a","b","0")", R"("G","x")"});
  EXPECT_EQ(read.count, 0);
  EXPECT_EQ(read.next, U"G");
}

TEST(ReadSectionFTest, RowsNoWriterCouldConvertStopWithTheirLine) {
  struct Case {
    const char* name;
    std::string row;
  };
  const Case cases[] = {
      {"value beyond single precision", R"("F","1","2","1","2","2Ｅ39")"},
      {"length beyond any number", R"("F","1","2","-1e308","1e308","5")"},
  };
  for (const Case& c : cases) {
    TempDrive drive;
    drive.MakeFolder("b");
    SourceFile file(CrLf({R"("F","a","b","2")", R"("F","1","1","0","1","1")", c.row}));
    file.ReadField();
    std::int16_t count = 0;
    std::int16_t flag = 0;
    SectionTable table;
    try {
      ReadSectionF(count, table, file, flag);
      BoringFiles folder = drive.Folder(U"T:\\b");
      WriteL204File(folder, table, count, flag);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const ConversionError& error) {
      EXPECT_EQ(error.Line(), 3) << c.name;
    }
    EXPECT_FALSE(drive.Exists("b/L204.txt")) << c.name;
  }
}

TEST(WriteL204FileTest, TheColumnFlagMovesTheValueFromField6ToField4) {
  EXPECT_EQ(WriteL204({{"1.00", "2.50", "2.5E-3"}}, 0), CrLf({"   1,   1.50,   1.00,,,0.0025,,,,,,,,,"}));
  EXPECT_EQ(WriteL204({{"1.00", "2.50", "2.5E-3"}}, 1), CrLf({"   1,   1.50,   1.00,0.0025,,,,,,,,,,,"}));
}

TEST(WriteL204FileTest, LengthStartAndValueForms) {
  EXPECT_EQ(WriteL204({{"3", "1", "12.0"},
                       {"1.1", "1.3", " 0.5 "},
                       {"0", "", "abc"},
                       {"", "2", "1.5Ｅ-3"},
                       {"0.00001", "1", "2.5ｅ-3"},
                       {"x", "y", ""}},
                      0),
            CrLf({"   1,  -2.00,   3.00,,,12,,,,,,,,,", "   2,   0.20,   1.10,,,0.5,,,,,,,,,",
                  "   3,,   0.00,,,0,,,,,,,,,", "   4,,   0.00,,,0.0015,,,,,,,,,", "   5,   0.99,E-05.00,,,0.0025,,,,,,,,,",
                  "   6,   0.00,   0.00,,,,,,,,,,,,"}));
}

TEST(WriteL204FileTest, NoRowsGiveAnEmptyFile) { EXPECT_EQ(WriteL204({}, 1), ""); }

}  // namespace
}  // namespace tq
