// Output lines of named fields, and a writer's row work that names the line of a failing value.
#include "sections/field_line.h"

#include <gtest/gtest.h>

#include "common/values.h"
#include "sections/row_line.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;

enum class ThreeFields { kFirst = 1, kSecond = 2, kThird = 3, kCount = 3 };
enum class OneField { kOnly = 1, kCount = 1 };

TEST(FieldLineTest, JoinsEveryFieldByCommasUnquoted) {
  struct Case {
    const char* name;
    Text first, second, third;
    Text line;
  };
  const Case cases[] = {
      {"none filled", U"", U"", U"", U",,"},
      {"first only", U"   1", U"", U"", U"   1,,"},
      {"last only", U"", U"", U"x", U",,x"},
      {"all, with spaces and quotes kept", U" a ", U"\"b\"", U"c,d", U" a ,\"b\",c,d"},
  };
  for (const Case& c : cases) {
    FieldLine<ThreeFields> line;
    line[ThreeFields::kFirst] = c.first;
    line[ThreeFields::kSecond] = c.second;
    line[ThreeFields::kThird] = c.third;
    EXPECT_EQ(line.Join(), c.line) << c.name;
  }
  FieldLine<OneField> one;
  one[OneField::kOnly] = U"alone";
  EXPECT_EQ(one.Join(), U"alone");
  EXPECT_EQ(FieldLine<ThreeFields>::Count(), 3u);
}

// Written piece by piece, a line holds the same text as joined; a quoted field gets its quotes.
TEST(FieldLineTest, WrittenInPiecesWithOneFieldQuoted) {
  struct Recorder {
    Text text;
    void Write(TextView piece) { text += piece; }
    void EndLine() { text += U"\r\n"; }
  };
  FieldLine<ThreeFields, TextView> line;
  line[ThreeFields::kFirst] = U"   1";
  line[ThreeFields::kThird] = U"砂礫";
  Recorder plain;
  line.WriteTo(plain);
  EXPECT_EQ(plain.text, U"   1,,砂礫\r\n");
  Recorder quoted;
  line.WriteTo(quoted, ThreeFields::kThird);
  EXPECT_EQ(quoted.text, U"   1,,\"砂礫\"\r\n");
  Recorder empty;
  line.WriteTo(empty, ThreeFields::kSecond);
  EXPECT_EQ(empty.text, U"   1,\"\",砂礫\r\n");
}

TEST(FieldLineTest, AFieldOutsideTheLineIsRefused) {
  FieldLine<ThreeFields> line;
  EXPECT_THROW(line[static_cast<ThreeFields>(0)], std::out_of_range);
  EXPECT_THROW(line[static_cast<ThreeFields>(4)], std::out_of_range);
}

// A table of two values per row whose fields flow over line ends as a malformed file may have
// them: row 1 on line 2, row 2 with its first value on line 3 and its second on line 4.
SectionTable FlowingTable(const std::string& secondOfRow2) {
  SourceFile file(CrLf({R"("R","a","b","2")", R"("R","1","1","1.5","2")", R"("R","1","2","3")", "\"" + secondOfRow2 + "\""}));
  file.SkipFields(4);
  SectionTable table(2, 2);
  for (int row = 1; row <= 2; ++row) {
    file.SkipFields(3);
    for (int value = 1; value <= 2; ++value) ReadCell(file, table, value, row);
  }
  return table;
}

TEST(RowLineTest, ReadCellKeepsTheLineOfEachCell) {
  SectionTable table = FlowingTable("4");
  EXPECT_EQ(table.At(1, 1), U"1.5");
  EXPECT_EQ(table.Line(1, 1), 2);
  EXPECT_EQ(table.Line(2, 1), 2);
  EXPECT_EQ(table.Line(1, 2), 3);
  EXPECT_EQ(table.At(2, 2), U"4");
  EXPECT_EQ(table.Line(2, 2), 4);
}

TEST(RowLineTest, AFailingValueNamesTheLineOfTheCellTakenLast) {
  SectionTable table = FlowingTable("1e999");
  auto work = [](const SectionRow& row) { return NumberTextOf(row[1]) + U"," + NumberTextOf(row[2]); };
  EXPECT_EQ(AtRowLine(table, 1, work), U"1.5,2");
  std::optional<ConversionError> error = test::ConversionErrorOf([&] { AtRowLine(table, 2, work); });
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Line(), 4) << "the second value stands on the line after the row's first";
  EXPECT_NE(error->Cause().find(U"1e999"), Text::npos);
}

TEST(RowLineTest, AFailureThatNamesItsLineAlreadyKeepsIt) {
  SectionTable table = FlowingTable("4");
  std::optional<ConversionError> error = test::ConversionErrorOf([&] {
    AtRowLine(table, 2, [](const SectionRow& row) -> Text {
      (void)row[2];
      throw ConversionError(U"elsewhere", 9);
    });
  });
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Line(), 9);
  EXPECT_EQ(AtLine(7, [] { return 1; }), 1);
  EXPECT_EQ(test::ConversionErrorOf([] { AtLine(7, []() -> int { throw ConversionError(U"x"); }); })->Line(), 7);
}

}  // namespace
}  // namespace tq
