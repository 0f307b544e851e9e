// X100A.txt and the exponent number text.
#include "sections/section_d_x100a.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::T;
using test::TempDrive;
using test::U8;

TEST(ExponentNumberTextTest, MantissaTimesTenToTheExponentInSinglePrecision) {
  struct Case {
    const char* field;
    const char* text;
  };
  const Case cases[] = {
      // ASCII and full-width exponent letters
      {"1.5E-5", "1.5E-05"},
      {"2.0Ｅ-3", "0.002"},
      {"3.2ｅ-4", "0.00032"},
      {"3.2e-4", "0.00032"},
      {"2.5E-3", "0.0025"},
      // single precision keeps 7 digits
      {"1.23456789E2", "123.4568"},
      // the split is at "E" before "e", "Ｅ" and "ｅ", wherever they stand
      {"1e2E1", "1000"},
      {"1ｅ2Ｅ1", "10"},
      {"2Ｅ1e3", "2000"},
      // empty or non-numeric parts count as 0
      {"E5", "0"},
      {"none", "0"},
      {"3E", "3"},
      {"0E400", "0"},
      {"1E-400", "0"},
      // no exponent letter: the number text of the field
      {"0.0012", "0.0012"},
      {"12.0", "12"},
      {" 0.5 ", "0.5"},
      {"abc", "0"},
      {"1.5D-3", "0.0015"},
      {"0.123456789012", "0.123456789012"},
      {"", ""},
      {"   ", ""},
      {" 1.5E-5 ", "1.5E-05"},
      {"-2.5e+2", "-250"},
  };
  for (const Case& c : cases) EXPECT_EQ(U8(ExponentNumberText(T(c.field))), c.text) << c.field;
}

TEST(ExponentNumberTextTest, NumbersBeyondSinglePrecisionAreRefused) {
  for (const char* field : {"1E39", "-5e38", "1Ｅ400", "3.5ｅ38", "1e999"}) {
    EXPECT_THROW(ExponentNumberText(T(field)), ConversionError) << field;
  }
  EXPECT_EQ(U8(ExponentNumberText(T("3.4E38"))), "3.4E+38");
}

TEST(WriteX100AFileTest, SixValuesPerRow) {
  TempDrive drive;
  drive.MakeFolder("b");
  SectionTable table(24, 3);
  const char* row1[] = {"7", "2.50", "-", "3", "1.5E-5", "2.0Ｅ-3"};
  const int values[] = {1, 15, 20, 21, 22, 23};
  for (int k = 0; k < 6; ++k) table.Set(values[k], 1, T(row1[k]));
  table.Set(2, 2, U"5");  // values X100.txt takes do not appear
  table.Set(22, 3, U" 1e2E1 ");
  BoringFiles folder = drive.Folder(U"T:\\b");
  WriteX100AFile(folder, table, 3);
  EXPECT_EQ(drive.Read("b/X100A.txt"), CrLf({"   1,7,2.5,0,3,1.5E-05,0.002", "   2,,,,,,", "   3,,,,,1000,"}));
}

TEST(WriteX100AFileTest, NoRowsGiveAnEmptyFile) {
  TempDrive drive;
  drive.MakeFolder("b");
  BoringFiles folder = drive.Folder(U"T:\\b");
  WriteX100AFile(folder, SectionTable(24, 0), 0);
  EXPECT_TRUE(drive.Exists("b/X100A.txt"));
  EXPECT_EQ(drive.Read("b/X100A.txt"), "");
}

}  // namespace
}  // namespace tq
