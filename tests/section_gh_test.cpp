// Sections G and H: reading the two interval lists and merging them into L201.txt.
#include "sections/section_gh.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::T;
using test::TempDrive;

using Rows = std::vector<std::array<const char*, 3>>;  // start, end, value

SectionTable Table(const Rows& rows) {
  SectionTable table(3, static_cast<int>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (int v = 0; v < 3; ++v) table.Set(v + 1, static_cast<int>(i + 1), T(rows[i][static_cast<std::size_t>(v)]));
  }
  return table;
}

std::string WriteL201(const Rows& g, const Rows& h) {
  TempDrive drive;
  drive.MakeFolder("b");
  BoringFiles folder = drive.Folder(U"T:\\b");
  WriteL201File(folder, Table(g), static_cast<std::int16_t>(g.size()), Table(h), static_cast<std::int16_t>(h.size()));
  return drive.Read("b/L201.txt");
}

TEST(WriteL201FileTest, RowsWithTheSameStartDepthAreJoined) {
  EXPECT_EQ(WriteL201({{"0", "1", "5"}, {"1", "2", "6"}}, {{"1", "3", "7"}}),
            CrLf({"   1,   1.00,   0.00,,,5,,,,,,,,,", "   2,   1.00,   1.00,,,6,,,,7,,,,,"}));
  EXPECT_EQ(WriteL201({{"1", "2.5", "5"}}, {{"1.0", "4", "7"}}), CrLf({"   1,   1.50,   1.00,,,5,,,,7,,,,,"}));
}

TEST(WriteL201FileTest, TheLongerListGoesOnAloneAfterTheShorterIsUsedUp) {
  EXPECT_EQ(WriteL201({{"1", "2", "5"}}, {{"1", "2", "7"}, {"2", "3", "8"}, {"3", "4", "9"}}),
            CrLf({"   1,   1.00,   1.00,,,5,,,,7,,,,,", "   2,   1.00,   2.00,,,,,,,8,,,,,",
                  "   3,   1.00,   3.00,,,,,,,9,,,,,"}));
  EXPECT_EQ(WriteL201({}, {{"0", "1", "7"}, {"1", "3", "8"}, {"3", "4", ""}}),
            CrLf({"   1,   1.00,   0.00,,,,,,,7,,,,,", "   2,   2.00,   1.00,,,,,,,8,,,,,",
                  "   3,   1.00,   3.00,,,,,,,,,,,,"}));
  EXPECT_EQ(WriteL201({{"0", "1", "5"}, {"2", "3", "6"}}, {{"1", "2", "7"}}),
            CrLf({"   1,   1.00,   0.00,,,5,,,,,,,,,", "   2,   1.00,   1.00,,,,,,,7,,,,,",
                  "   3,   1.00,   2.00,,,6,,,,,,,,,"}));
}

TEST(WriteL201FileTest, ValuesAreNumberTextsWithoutFullWidthExponents) {
  EXPECT_EQ(WriteL201({{"2", "", "2.5E-3"}, {"3", "4", "2.5Ｅ-3"}, {"5", "6", "abc"}}, {{"2", "9", "  "}}),
            CrLf({"   1,  -2.00,   2.00,,,0.0025,,,,,,,,,", "   2,   1.00,   3.00,,,2.5,,,,,,,,,",
                  "   3,   1.00,   5.00,,,0,,,,,,,,,"}));
}

TEST(WriteL201FileTest, StartDepthsAtOrBeyond999999AreMergedLikeAnyOther) {
  EXPECT_EQ(WriteL201({{"999999", "1000000", "5"}}, {}), CrLf({"   1,   1.00,9999.00,,,5,,,,,,,,,"}));
  EXPECT_EQ(WriteL201({{"1000000", "1000001", "5"}}, {{"1", "2", "7"}}),
            CrLf({"   1,   1.00,   1.00,,,,,,,7,,,,,", "   2,   1.00,0000.00,,,5,,,,,,,,,"}));
  EXPECT_EQ(WriteL201({{"1", "2", "5"}}, {{"999999", "1000000", "7"}, {"2000000", "2000001", "8"}}),
            CrLf({"   1,   1.00,   1.00,,,5,,,,,,,,,", "   2,   1.00,9999.00,,,,,,,7,,,,,",
                  "   3,   1.00,0000.00,,,,,,,8,,,,,"}));
}

TEST(WriteL201FileTest, StartDepthsEqualInSinglePrecisionAreJoined) {
  EXPECT_EQ(WriteL201({{"1.00000001", "2", "5"}}, {{"1", "3", "7"}}), CrLf({"   1,   0.99,   1.00,,,5,,,,7,,,,,"}));
}

TEST(WriteL201FileTest, MoreMergedRowsThan16BitsCanCountStopWithoutAFile) {
  TempDrive drive;
  drive.MakeFolder("b");
  SectionTable g(3, 20000);
  SectionTable h(3, 12768);
  std::optional<ConversionError> error =
      test::ConversionErrorOf([&] {
        BoringFiles folder = drive.Folder(U"T:\\b");
        WriteL201File(folder, g, 20000, h, 12768);
      });
  ASSERT_TRUE(error) << "no error";
  EXPECT_NE(error->Cause().find(U"G の件数 20000 と H の件数 12768"), Text::npos);
  EXPECT_FALSE(drive.Exists("b/L201.txt"));
}

TEST(ReadSectionGHTest, HeaderFormsAndRowLettersShiftNoField) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"four fields", {R"("G","a","b","2")", R"("G","1","1","0","1","5")", R"("G","1","2","1","2","6")", R"("H","x")"}},
      {"extra field", {R"("G","a","b","2","x")", R"("G","1","1","0","1","5")", R"("G","1","2","1","2","6")", R"("H","x")"}},
      {"lower case", {R"("G","a","b","2")", R"("g","1","1","0","1","5")", R"("g","1","2","1","2","6")", R"("H","x")"}},
      {"full width", {R"("G","a","b","2")", R"("Ｇ","1","1","0","1","5")", R"("Ｇ","1","2","1","2","6")", R"("H","x")"}},
  };
  for (const Case& c : cases) {
    for (auto reader : {&ReadSectionG, &ReadSectionH}) {
      test::SectionRead read = test::ReadSectionWith(reader, c.lines);
      EXPECT_EQ(read.count, 2) << c.name;
      EXPECT_EQ(read.table.At(1, 2), U"1") << c.name;
      EXPECT_EQ(read.table.At(2, 2), U"2") << c.name;
      EXPECT_EQ(read.table.At(3, 2), U"6") << c.name;
      EXPECT_EQ(read.next, U"H") << c.name;
    }
  }
}

TEST(ReadSectionGHTest, NoRowsLeaveTheNextRecordKindForTheRun) {
  EXPECT_EQ(test::ReadSectionWith(&ReadSectionG, {R"("G","a","b","0")", R"("H","x")"}).next, U"H");
  EXPECT_EQ(test::ReadSectionWith(&ReadSectionH, {R"("H","a","b","0")", R"("X","x")"}).next, U"X");
}

TEST(ReadSectionGHTest, AStartDepthBeyondSinglePrecisionStopsWithItsLine) {
  SourceFile file(CrLf({R"("H","a","b","1")", R"("H","1","1","1e39","1","5")"}));
  file.ReadField();
  std::int16_t count = 0;
  SectionTable table;
  std::optional<ConversionError> error = test::ConversionErrorOf([&] {
    ReadSectionH(count, table, file);
    CheckL201Rows(table, count);
  });
  ASSERT_TRUE(error) << "no error";
  EXPECT_EQ(error->Line(), 2);
}

}  // namespace
}  // namespace tq
