// X3.txt: the L4 table, the line of one group, and the grouping by second description.
#include "sections/layers_x3.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::T;
using test::U8;

class LayersX3Test : public ::testing::Test {
 protected:
  void SetUp() override {
    drive.MakeFolder("patdat");
    drive.MakeFolder("out");
    patterns.SetFolder(U"T:\\patdat\\");
  }

  test::TempDrive drive;
  PatternData patterns{drive.Files(), Text()};
  BoringFiles folder = drive.Folder(U"T:\\out");
};

// ---- L4.TXT ----

TEST_F(LayersX3Test, L4TableKeepsEveryRowInFileOrder) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 60; ++i) lines.push_back(std::to_string(i) + ",字");
  lines.push_back("");
  drive.Write("patdat/L4.TXT", CrLf(lines));
  L4Table l4 = ReadL4Table(patterns);
  ASSERT_EQ(l4.rows.size(), 60u) << "more than 50 rows are kept; a blank last line is no row";
  EXPECT_EQ(U8(l4.rows[59].number), "60");
  EXPECT_EQ(U8(l4.rows[59].character), "字");
  EXPECT_EQ(l4.rows[59].line, 60);
}

TEST_F(LayersX3Test, BlankLinesBetweenL4RowsAreNoRow) {
  drive.Write("patdat/L4.TXT", CrLf({"1,暗", "", "  ", "5,灰"}));
  L4Table l4 = ReadL4Table(patterns);
  ASSERT_EQ(l4.rows.size(), 2u);
  EXPECT_EQ(U8(l4.rows[1].number), "5");
  EXPECT_EQ(U8(l4.rows[1].character), "灰");
  EXPECT_EQ(l4.rows[1].line, 4);
}

TEST_F(LayersX3Test, MissingL4TableIsEmpty) { EXPECT_TRUE(ReadL4Table(patterns).rows.empty()); }

TEST_F(LayersX3Test, L4TableCutShortIsReportedWithItsLine) {
  drive.Write("patdat/L4.TXT", CrLf({"1,暗", "5"}));
  std::optional<ConversionError> error = test::ConversionErrorOf([&] { ReadL4Table(patterns); });
  ASSERT_TRUE(error) << "no error";
  EXPECT_NE(error->Cause().find(U"L4.TXT」の 2 行目"), Text::npos) << U8(error->Cause());
}

// ---- One line ----

L4Table SampleL4() {
  return {U"T:\\patdat\\L4.TXT", {{U"1", U"暗", 1}, {U"5", U"灰", 2}, {U"12", U"砂", 3}, {U"7", U"暗", 4}, {U"100", U"褐", 5}, {U"3", U"～", 6}}};
}

struct LineCase {
  const char* what;
  std::string description;
  std::string line;  // empty: no line
};

TEST_F(LayersX3Test, WriteX3LineCodesUpToThreeCharactersOfEachHalf) {
  const std::vector<LineCase> cases = {
      {"no separator", "暗灰", "  1,   2.50,0105  ,暗灰,      ,,"},
      {"two halves", "暗灰～砂", "  1,   2.50,0105  ,暗灰,12    ,砂,～"},
      {"split at the first separator", "暗～灰～砂", "  1,   2.50,01    ,暗,050312,灰～砂,～"},
      {"five characters: only the first three are looked up", "灰灰灰暗暗", "  1,   2.50,050505,灰灰灰暗暗,      ,,"},
      {"characters without a row are passed over", "青暗黄灰", "  1,   2.50,01    ,青暗黄灰,      ,,"},
      {"the first row of a character wins", "暗", "  1,   2.50,01    ,暗,      ,,"},
      {"a code keeps its last two digits", "褐", "  1,   2.50,00    ,褐,      ,,"},
      {"empty first half", "～砂", "  1,   2.50,      ,,12    ,砂,～"},
      {"empty second half leaves no separator", "砂～", "  1,   2.50,12    ,砂,      ,,"},
      {"halves keep their spaces; codes fill the slots from the front", " 砂 ～ 灰", "  1,   2.50,12    , 砂 ,05    , 灰,～"},
      {"blank description: no line", "   ", ""},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.what);
    OutputFile out(folder, U"X3.txt");
    int lineNumber = 1;
    WriteX3Line(lineNumber, U"   2.50", T(c.description), SampleL4(), out);
    out.Commit();
    EXPECT_EQ(drive.Read("out/X3.txt"), c.line.empty() ? "" : CrLf({c.line}));
    EXPECT_EQ(lineNumber, c.line.empty() ? 1 : 2);
  }
}

TEST_F(LayersX3Test, LineNumberKeepsItsLastThreeDigits) {
  OutputFile out(folder, U"X3.txt");
  for (int lineNumber : {7, 999, 1000, 1234}) WriteX3Line(lineNumber, U"   1.00", U"灰", SampleL4(), out);
  out.Commit();
  EXPECT_EQ(drive.Read("out/X3.txt"), CrLf({"  7,   1.00,05    ,灰,      ,,", "999,   1.00,05    ,灰,      ,,",
                                            "000,   1.00,05    ,灰,      ,,", "234,   1.00,05    ,灰,      ,,"}));
}

TEST_F(LayersX3Test, SeparatorIsFullWidthTildeInCodePage932) {
  OutputFile out(folder, U"X3.txt");
  int lineNumber = 1;
  WriteX3Line(lineNumber, U"   1.00", U"a\uFF5Eb", {}, out);
  out.Commit();
  EXPECT_EQ(drive.Read("out/X3.txt"), "  1,   1.00,      ,a,      ,b,\x81\x60\r\n");
}

TEST_F(LayersX3Test, L4CodeBeyond16BitsIsReported) {
  for (const char32_t* number : {U"40000", U"1E999"}) {
    SCOPED_TRACE(U8(number));
    OutputFile out(folder, U"X3.txt");
    int lineNumber = 1;
    try {
      WriteX3Line(lineNumber, U"   1.00", U"灰", {U"T:\\patdat\\L4.TXT", {{number, U"灰", 9}}}, out);
      ADD_FAILURE() << "no error";
    } catch (const ConversionError& error) {
      EXPECT_NE(error.Cause().find(U"L4.TXT」の 9 行目"), Text::npos) << U8(error.Cause());
    }
  }
}

// ---- The whole file ----

struct GroupRow {
  std::string depth;
  std::string description;
};

SectionTable DescriptionTable(const std::vector<GroupRow>& rows) {
  SectionTable table(5, static_cast<int>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    table.Set(1, static_cast<int>(i) + 1, T(rows[i].depth));
    table.Set(3, static_cast<int>(i) + 1, U"砂");
    table.Set(5, static_cast<int>(i) + 1, T(rows[i].description));
  }
  return table;
}

TEST_F(LayersX3Test, WriteX3FileGroupsByTrimmedDescription) {
  drive.Write("patdat/L4.TXT", CrLf({"1,暗", "5,灰", "12,褐"}));
  std::vector<GroupRow> rows = {{"0.5", ""}, {"1.0", "暗灰"}, {"2.5", " 暗灰 "}, {"3", ""}, {"4.25", "褐"},
                                {"5", "褐～暗灰"}};
  WriteX3File(folder, patterns, DescriptionTable(rows), static_cast<std::int16_t>(rows.size()));
  EXPECT_EQ(drive.Read("out/X3.txt"), CrLf({"  1,   2.50,0105  ,暗灰,      ,,", "  2,   4.25,12    ,褐,      ,,",
                                            "  3,   5.00,12    ,褐,0105  ,暗灰,～"}));
}

TEST_F(LayersX3Test, WriteX3FileWithoutL4TableLeavesEveryCodeSlotBlank) {
  WriteX3File(folder, patterns, DescriptionTable({{"1", "暗灰～褐"}}), 1);
  EXPECT_EQ(drive.Read("out/X3.txt"), CrLf({"  1,   1.00,      ,暗灰,      ,褐,～"}));
}

TEST_F(LayersX3Test, WriteX3FileWithoutRowsIsEmpty) {
  drive.Write("out/X3.txt", "old");
  WriteX3File(folder, patterns, SectionTable(5, 0), 0);
  EXPECT_EQ(drive.Read("out/X3.txt"), "");
}

}  // namespace
}  // namespace tq
