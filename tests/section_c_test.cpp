// Section C: the standard penetration tests and X5.txt.
#include <gtest/gtest.h>

#include "common/errors.h"
#include "sections/section_c.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::TempDrive;

struct Row {
  std::string depth, blows, penetration;
};

std::string SectionC(const std::vector<Row>& rows) {
  std::vector<std::string> lines{"\"C\",\"\",\"\",\"" + std::to_string(rows.size()) + "\""};
  for (const Row& r : rows) {
    lines.push_back("\"C\",\"\",\"\",\"" + r.depth + "\",\"" + r.blows + "\",\"" + r.penetration + "\"");
  }
  return CrLf(lines);
}

class SectionCTest : public ::testing::Test {
 protected:
  void SetUp() override { drive_.MakeFolder("b"); }

  std::string Convert(const std::string& bytes) {
    SourceFile file(bytes);
    file.ReadField();
    std::int16_t count = -1;
    SectionTable table;
    ReadSectionC(count, table, file);
    BoringFiles folder = drive_.Folder(U"T:\\b");
    WriteX5File(folder, table, count);
    return drive_.Read("b/X5.txt");
  }

  TempDrive drive_;
};

TEST_F(SectionCTest, RowsAsTheTargetProgramReadsThem) {
  std::string x5 = Convert(SectionC({
      {"1.15", "12", "30"},      // fewer than 50 blows: the full test length
      {"2.15", "50", "25"},      // 50 blows: the recorded penetration
      {"3.15", "", "10"},        // an empty blow count counts as 0
      {"4.15", "60", "*"},       // a marked penetration stays empty
      {"5.15", "60", ""},        // an empty penetration of 50 blows or more is 0
      {"6.15", "49.9", "12"},    // the comparison is numeric
      {"1.999", "5", "30"},      // decimals are cut
      {"0.005", "5", "30"},
      {"12345.6", "5", "30"},    // the integer part keeps its last four digits
      {"", "07", " *5"},         // "*" is looked for before trimming
  }));
  EXPECT_EQ(x5, CrLf({
                    "   1,   1.15,12,,30,,,,,,",
                    "   2,   2.15,50,,25,,,,,,",
                    "   3,   3.15,,,30,,,,,,",
                    "   4,   4.15,60,,,,,,,,",
                    "   5,   5.15,60,,0,,,,,,",
                    "   6,   6.15,49.9,,30,,,,,,",
                    "   7,   1.99,5,,30,,,,,,",
                    "   8,   0.00,5,,30,,,,,,",
                    "   9,2345.60,5,,30,,,,,,",
                    "  10,   0.00,7,,30,,,,,,",
                }));
}

TEST_F(SectionCTest, NoRowsGivesAnEmptyFile) {
  EXPECT_EQ(Convert(SectionC({})), "");
  EXPECT_TRUE(drive_.Exists("b/X5.txt"));
}

TEST_F(SectionCTest, ReaderConsumesExactlyItsFields) {
  SourceFile file(SectionC({{"1", "2", "3"}}) + CrLf({"\"D\",\"next\""}));
  file.ReadField();
  std::int16_t count = 0;
  SectionTable table;
  ReadSectionC(count, table, file);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(file.ReadField(), U"D");
}

TEST_F(SectionCTest, RowPositionKeepsFourDigitsFromRow10000) {
  std::vector<Row> rows(10001, Row{"1", "1", "1"});
  std::string x5 = Convert(SectionC(rows));
  EXPECT_NE(x5.find("\r\n9999,   1.00,1,,30,,,,,,\r\n0000,   1.00,1,,30,,,,,,\r\n0001,"), std::string::npos);
}

TEST_F(SectionCTest, ASectionShorterThanItsCountIsRefused) {
  std::string bytes = CrLf({"\"C\",\"\",\"\",\"3\"", "\"C\",\"\",\"\",\"1\",\"2\",\"3\""});
  std::optional<ConversionError> error = test::ConversionErrorOf([&] { Convert(bytes); });
  ASSERT_TRUE(error) << "reading past the end must stop the conversion";
  EXPECT_EQ(error->Line(), 2);
  EXPECT_FALSE(drive_.Exists("b/X5.txt"));
}

TEST_F(SectionCTest, ANumberTooLargeToWriteStopsAtItsLine) {
  struct Case {
    const char* name;
    Row row;
    bool refused;
  } cases[] = {
      {"depth", {"1e999", "12", "30"}, true},
      {"blow count", {"1.15", "1e999", "30"}, true},
      {"penetration of 50 blows", {"1.15", "50", "1e999"}, true},
      {"penetration of fewer than 50 blows is written as 30", {"1.15", "12", "1e999"}, false},
      {"marked penetration is written empty", {"1.15", "50", "*1e999"}, false},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(drive_.Native("b/X5.txt"));
    std::string bytes = SectionC({{"1", "1", "1"}, c.row});
    if (!c.refused) {
      EXPECT_NO_THROW(Convert(bytes)) << c.name;
      continue;
    }
    try {
      Convert(bytes);
      ADD_FAILURE() << c.name << ": a number beyond double precision must stop the conversion";
    } catch (const ConversionError& error) {
      EXPECT_EQ(error.Line(), 3) << c.name;
    }
    EXPECT_FALSE(drive_.Exists("b/X5.txt")) << c.name;
  }
}

TEST_F(SectionCTest, ACountOutsideTheRangeIsRefused) {
  EXPECT_THROW(Convert(CrLf({"\"C\",\"\",\"\",\"40000\""})), ConversionError);
  EXPECT_THROW(Convert(CrLf({"\"C\",\"\",\"\",\"-2\""})), ConversionError);
  EXPECT_EQ(Convert(CrLf({"\"C\",\"\",\"\",\"none\""})), "") << "a count that is no number is 0";
}

}  // namespace
}  // namespace tq
