// Section D: reading the laboratory rows, counting records, and X100.txt with each sample's layer.
#include "sections/section_d_x100.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/errors.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::Sjis;
using test::T;
using test::TempDrive;

// A D table whose rows give the values listed (value 1 first); missing values stay empty.
SectionTable DTable(const std::vector<std::vector<std::string>>& rows) {
  SectionTable table(kSectionDValues + 1, static_cast<int>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (std::size_t v = 0; v < rows[i].size(); ++v) {
      table.Set(static_cast<int>(v + 1), static_cast<int>(i + 1), T(rows[i][v]));
    }
  }
  return table;
}

// A row of section D with upper depth value 2 and the other values empty.
std::vector<std::string> Sample(const std::string& upperDepth) { return {"", upperDepth}; }

const std::string kLayers = CrLf({"   1,   2.00,0101,砂", "   2,   5.00,0202,シルト", "   3,   9.00,0303,粘土"});

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find("\r\n", start);
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Field k (from 1) of a line of X100.txt.
std::string Field(const std::string& line, int k) {
  std::size_t start = 0;
  for (int i = 1; i < k; ++i) start = line.find(',', start) + 1;
  return line.substr(start, line.find(',', start) - start);
}

class WriteX100FileTest : public ::testing::Test {
 protected:
  WriteX100FileTest() { drive.MakeFolder("b"); }

  std::vector<std::string> Write(const SectionTable& table) {
    BoringFiles folder = drive.Folder(U"T:\\b");
    WriteX100File(folder, table, static_cast<std::int16_t>(table.Rows()));
    return Lines(drive.Read("b/X100.txt"));
  }

  TempDrive drive;
};

TEST_F(WriteX100FileTest, EachSampleGetsTheFirstLayerEndingBelowItsUpperDepth) {
  drive.Write("b/X1.txt", kLayers);
  struct Case {
    std::string upperDepth;
    std::string code;
    std::string name;
  };
  const Case cases[] = {{"1.5", "0101", "砂"}, {"2.0", "0202", "シルト"}, {"8.0", "0303", "粘土"},
                        {"10.0", "", ""},      {"", "0101", "砂"},         {"9", "", ""}};
  std::vector<std::vector<std::string>> rows;
  for (const Case& c : cases) rows.push_back(Sample(c.upperDepth));
  std::vector<std::string> lines = Write(DTable(rows));
  ASSERT_EQ(lines.size(), std::size(cases));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(Field(lines[i], 8), cases[i].code) << cases[i].upperDepth;
    EXPECT_EQ(Field(lines[i], 9), Sjis(cases[i].name)) << cases[i].upperDepth;
  }
}

TEST_F(WriteX100FileTest, WithoutX1TheLayerFieldsStayEmpty) {
  std::vector<std::string> lines = Write(DTable({Sample("1.5"), Sample("3")}));
  ASSERT_EQ(lines.size(), 2u);
  for (const std::string& line : lines) {
    EXPECT_EQ(Field(line, 8), "");
    EXPECT_EQ(Field(line, 9), "");
  }
}

TEST_F(WriteX100FileTest, AFullRowPutsEveryValueInItsField) {
  drive.Write("b/X1.txt", kLayers);
  std::vector<std::string> row;
  for (int v = 1; v <= kSectionDValues; ++v) row.push_back(std::to_string(100 + v));
  row[1] = "1.5";      // value 2, upper depth
  row[2] = "2.345";    // value 3, lower depth
  row[15] = "3";       // value 16, strength condition
  row[17] = "30";      // value 18
  row[18] = "15";      // value 19
  std::vector<std::string> lines = Write(DTable({row}));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], Sjis("   1,   1.50,   2.34,,,,,0101,砂,,,,,104,105,106,107,,,,112,113,,108,110,109,111,,114,"
                           "ＵＣ,117,30.25,,,,,,,,,,,"));
}

TEST_F(WriteX100FileTest, ValueCellsAndTheStrengthConditionCode) {
  struct Case {
    std::string value4;     // field 14
    std::string value16;    // field 30
    std::string field14;
    std::string field30;
  };
  const Case cases[] = {
      {"-", "1", "0", "ＵＵ"},  {"   ", "2", "", "ＣＵ"},  {"", "3", "", "ＵＣ"},   {"12.50", "4", "12.5", "ＣＤ"},
      {"abc", "2.5", "0", ""},  {"1e2", "0", "100", ""},  {" 7 ", "5", "7", ""},   {"0.1", " ", "0.1", ""},
      {"0", "", "0", ""},       {"1", "4.0", "1", "ＣＤ"},
  };
  std::vector<std::vector<std::string>> rows;
  for (const Case& c : cases) {
    std::vector<std::string> row(kSectionDValues);
    row[3] = c.value4;
    row[15] = c.value16;
    rows.push_back(row);
  }
  std::vector<std::string> lines = Write(DTable(rows));
  ASSERT_EQ(lines.size(), std::size(cases));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(Field(lines[i], 14), cases[i].field14) << cases[i].value4;
    EXPECT_EQ(Field(lines[i], 30), Sjis(cases[i].field30)) << cases[i].value16;
  }
}

TEST_F(WriteX100FileTest, EveryLineHas42CommasAndEndsWithOne) {
  std::vector<std::string> full(kSectionDValues, "1");
  std::vector<std::string> lines = Write(DTable({{}, full, {"", "", "", "-", "", "", "", "", "", "", "", "", "", "",
                                                          "", "9", "", " "}}));
  ASSERT_EQ(lines.size(), 3u);
  for (const std::string& line : lines) {
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 42) << line;
    EXPECT_EQ(line.back(), ',');
  }
  EXPECT_EQ(lines[0], "   1,   0.00,   0.00" + std::string(40, ','));
}

TEST_F(WriteX100FileTest, NoRowsGiveAnEmptyFile) {
  Write(SectionTable(kSectionDValues + 1, 0));
  EXPECT_TRUE(drive.Exists("b/X100.txt"));
  EXPECT_EQ(drive.Read("b/X100.txt"), "");
}

TEST(CombinedField32Test, Value18WithTheDecimalsOfValue19Over60) {
  struct Case {
    const char* value18;
    const char* value19;
    const char* field;
  };
  const Case cases[] = {
      {"30", "15", "30.25"}, {"30", "", "30"},   {"30", "0", "30"},   {"30", "30", "30.5"},
      {"30", "59", "30.983"}, {"", "15", ""},    {"  ", "15", ""},    {"12.0", "6", "12.1"},
      {"30", "60", "30"},
  };
  for (const Case& c : cases) EXPECT_EQ(CombinedField32(T(c.value18), T(c.value19)), T(c.field)) << c.value18 << " " << c.value19;
}

TEST(ReadSectionDTest, ReadsTwentyThreeValuesPerRowAndLeavesTheNextRecord) {
  std::string row1 = R"("D","1","1")";
  std::string row2 = R"("D","1","2")";
  for (int v = 1; v <= kSectionDValues; ++v) {
    row1 += ",\"" + std::to_string(v) + "\"";
    row2 += ",\"" + (v == 22 ? std::string("2.0Ｅ-3") : std::string()) + "\"";
  }
  SourceFile file(CrLf({R"("D","a","b","2")", row1, row2, R"("E","x")"}));
  file.ReadField();
  std::int16_t count = -1;
  SectionTable table;
  ReadSectionD(count, table, file);
  EXPECT_EQ(count, 2);
  for (int v = 1; v <= kSectionDValues; ++v) EXPECT_EQ(table.At(v, 1), DecimalText(v));
  EXPECT_EQ(table.At(22, 2), T("2.0Ｅ-3"));
  EXPECT_EQ(table.At(23, 2), U"");
  EXPECT_EQ(file.ReadField(), U"E");
}

TEST(ReadSectionDTest, MalformedFieldsStopWithTheirLine) {
  auto rowWith = [](int value, const std::string& text) {
    std::string row = R"("D","1","1")";
    for (int v = 1; v <= kSectionDValues; ++v) row += ",\"" + (v == value ? text : std::string("1")) + "\"";
    return row;
  };
  struct Case {
    const char* name;
    std::string bytes;
    long line;
  };
  const Case cases[] = {
      {"negative count", CrLf({R"("D","a","b","-1")"}), 1},
      {"count beyond 16 bits", CrLf({R"("D","a","b","40000")"}), 1},
      {"upper depth beyond single precision", CrLf({R"("D","a","b","1")", rowWith(2, "1e39")}), 2},
      {"value 22 beyond single precision", CrLf({R"("D","a","b","2")", rowWith(1, "1"), rowWith(22, "5E38")}), 3},
      {"value 23 with an exponent too large", CrLf({R"("D","a","b","1")", rowWith(23, "1Ｅ400")}), 2},
      {"value beyond double precision", CrLf({R"("D","a","b","1")", rowWith(9, "1e999")}), 2},
      {"file ends inside a row", CrLf({R"("D","a","b","2")", rowWith(1, "1")}), 2},
  };
  for (const Case& c : cases) {
    SourceFile file(c.bytes);
    file.ReadField();
    std::int16_t count = 0;
    SectionTable table;
    try {
      ReadSectionD(count, table, file);
      CheckSectionDRows(table, count);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const ConversionError& error) {
      EXPECT_EQ(error.Line(), c.line) << c.name;
      EXPECT_FALSE(error.Cause().empty()) << c.name;
    }
  }
}

TEST(CountFileRecordsTest, CountsWholeRecordsOrLeavesTheCountWithoutAFile) {
  TempDrive drive;
  std::int16_t count = 7;
  CountFileRecords(drive.Folder(U"T:"), U"X1.txt", count, 4);
  EXPECT_EQ(count, 7);
  drive.Write("X1.txt", kLayers);
  CountFileRecords(drive.Folder(U"T:"), U"X1.txt", count, 4);
  EXPECT_EQ(count, 3);
  drive.Write("X1.txt", kLayers + "   4,   9.50");
  CountFileRecords(drive.Folder(U"T:"), U"X1.txt", count, 4);
  EXPECT_EQ(count, 3);
  drive.Write("X1.txt", "");
  CountFileRecords(drive.Folder(U"T:"), U"X1.txt", count, 4);
  EXPECT_EQ(count, 0);
}

}  // namespace
}  // namespace tq
