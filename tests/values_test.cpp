// The value forms: value of a text, number texts, depth and row position texts, NumOrZero.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/values.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::T;
using test::U8;

TEST(ValueOf, ReadsTheNumberATextBeginsWith) {
  struct Case {
    Text text;
    double value;
  } cases[] = {
      {U"12", 12},         {U"12abc", 12},     {U"abc", 0},        {U"", 0},
      {U"2.5Ｅ-3", 2.5},   {U"１２", 0},       {U" 1 2 ", 12},     {U"\t3\n", 3},
      {U"-1.5e2", -150},   {U"1D2", 100},      {U"1d-1", 0.1},     {U".5", 0.5},
      {U"1.2.3", 1.2},     {U"1e", 1},         {U"1e+", 1},        {U"+-5", 0},
      {U"- 5", -5},        {U"&HFF", 255},     {U"&HFFFF", -1},    {U"&h10000", 65536},
      {U"&O17", 15},       {U"1e-400", 0},     {U"*12", 0},
      {U"-0.5", -0.5},     {U"1.", 1},         {U"007", 7},        {U"-", 0},
      {U".", 0},           {U"-.25", -0.25},   {U"0.1", 0.1},      {U"12345678901234567890", 12345678901234567890.0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ValueOf(c.text), c.value) << U8(c.text);
}

TEST(ValueOf, NumberBeyondDoublePrecisionIsAnError) {
  EXPECT_THROW(ValueOf(U"1e400"), ConversionError);
  EXPECT_THROW(ValueOf(U"&H1FFFFFFFF"), ConversionError);
}

TEST(NumberText, FifteenSignificantDigits) {
  struct Case {
    double value;
    Text text;
  } cases[] = {
      {12, U"12"},
      {0.5, U"0.5"},
      {1.3 - 1.1, U"0.2"},
      {-0.5, U"-0.5"},
      {100, U"100"},
      {1e-5, U"1E-05"},
      {0.0001, U"0.0001"},
      {1.5e15, U"1.5E+15"},
      {1e15, U"1E+15"},
      {123456789012345, U"123456789012345"},
      {1.0 / 3, U"0.333333333333333"},
      {2.0 / 3, U"0.666666666666667"},
      {-0.0, U"0"},
      {1e100, U"1E+100"},
      {-2.5e-7, U"-2.5E-07"},
      {99999999999999.99, U"100000000000000"},  // rounding to 15 digits carries into a new digit
  };
  for (const Case& c : cases) EXPECT_EQ(U8(NumberText(c.value)), U8(c.text)) << c.value;
}

// Depths and measurements of few decimal places take a quicker way than other values; both must
// give what C's %.15G gives (its exponent written with at least two digits, as here).
TEST(NumberText, DecimalsOfFewPlacesReadAsAnyOtherValue) {
  auto reference = [](double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15G", value);
    return std::string(text);
  };
  std::vector<double> values;
  for (long long units : {1LL, 5LL, 7LL, 10LL, 99LL, 105LL, 1005LL, 2675LL, 123456LL, 999999999999999LL,
                          1000000000000000LL, 4503599627370497LL}) {
    for (double scale : {1.0, 10.0, 100.0, 1000.0, 10000.0}) {
      values.push_back(static_cast<double>(units) / scale);
      values.push_back(-static_cast<double>(units) / scale);
    }
  }
  for (double value : {0.1 + 0.2, 1.3 - 1.1, 2.675, 1.005 * 1000, 0.001, 0.0015, 1e14 + 0.5, 9007199254740993.0,
                       123456789012.345, 123456789012.3456, 0.30000000000000004, 12.339999999999999}) {
    values.push_back(value);
  }
  for (int i = 0; i < 20000; ++i) values.push_back(i / 100.0 + i / 7.0 * 1e-9 * (i % 2));
  for (double value : values) EXPECT_EQ(U8(NumberText(value)), reference(value)) << value;
}

// Plain decimals, as nearly every field of a log is, are turned into number texts without the
// way through a double; the result must be what that way gives.
TEST(NumberTextOf, PlainDecimalsGiveWhatTheirValueGives) {
  std::vector<Text> fields = {U"0",    U"-0",    U"00.000", U"-.5",   U"5.",    U".5",    U"007.50",
                              U"1.15", U"-1.15", U"0.0001", U"0.00001", U"-0.00012", U"100", U"1200.",
                              U"123456789012345", U"1234567890123456", U"99999999999999.9", U"999999999999999",
                              U"0.000123456789012345", U"0.00123456789012345", U"12345678901234.5",
                              U"123456789012345.0", U"1000000000000000", U"0.1000000000000001"};
  for (int whole : {0, 1, 12, 305, 4000, 99999}) {
    for (const char* fraction : {"", ".", ".0", ".05", ".10", ".125", ".999", ".0005", ".00050"}) {
      std::string text = std::to_string(whole) + fraction;
      fields.push_back(T(text));
      fields.push_back(T("-" + text));
      fields.push_back(T("0" + text));
    }
  }
  for (const Text& field : fields) {
    EXPECT_EQ(U8(NumberTextOf(field)), U8(NumberText(ValueOf(field)))) << U8(field);
    EXPECT_EQ(U8(DepthTextOf(field)), U8(DepthText(ValueOf(field)))) << U8(field);
  }
}

TEST(NumberText, SingleKeepsSevenDigits) {
  EXPECT_EQ(SingleNumberText(0.1f), U"0.1");
  EXPECT_EQ(SingleNumberText(1.0f / 3), U"0.3333333");
  EXPECT_EQ(SingleNumberText(1.3f - 1.1f), U"0.1999999");
  EXPECT_EQ(SingleNumberText(1e-5f), U"1E-05");
  EXPECT_EQ(SingleNumberText(2.5f), U"2.5");
}

TEST(DepthText, SevenCharactersWithDecimalsCut) {
  struct Case {
    Text field;
    Text text;
  } cases[] = {
      {U"0", U"   0.00"},    {U"1.5", U"   1.50"},  {U"12.345", U"  12.34"}, {U"-0.5", U"  -0.50"},
      {U"12345.6", U"2345.60"}, {U"1.999", U"   1.99"}, {U"0.05", U"   0.05"}, {U"0.005", U"   0.00"},
      {U"12", U"  12.00"},   {U"", U"   0.00"},     {U"1.15", U"   1.15"},
      {U"-12345.5", U"2345.50"}, {U"0.00001", U"E-05.00"}, {U"1.5E-05", U"   1.5E"},
  };
  for (const Case& c : cases) EXPECT_EQ(U8(DepthTextOf(c.field)), U8(c.text)) << U8(c.field);
}

TEST(RowPositionText, RightAlignedInFour) {
  EXPECT_EQ(RowPositionText(1), U"   1");
  EXPECT_EQ(RowPositionText(12), U"  12");
  EXPECT_EQ(RowPositionText(9999), U"9999");
  EXPECT_EQ(RowPositionText(10000), U"0000");
}

TEST(ValueCell, EmptyStaysEmptyElseNumberText) {
  EXPECT_EQ(ValueCell(U""), U"");
  EXPECT_EQ(ValueCell(U"   "), U"");
  EXPECT_EQ(ValueCell(U"-"), U"0");
  EXPECT_EQ(ValueCell(U" 1.50 "), U"1.5");
  EXPECT_EQ(ValueCell(U"abc"), U"0");
}

TEST(NumOrZero, OnlyPlainNumbersAreNumeric) {
  struct Case {
    Text text;
    double value;
  } cases[] = {
      {U" 12 ", 12},   {U"1.5e3", 1500}, {U"+3", 3},     {U"-2.5", -2.5}, {U"1D2", 100},
      {U"12abc", 0},   {U"1.2.3", 0},    {U"", 0},       {U".", 0},       {U"1e", 0},
      {U"&H10", 0},    {U"１２", 0},     {U"1 2", 0},    {U"  ", 0},      {U"5.", 5},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(NumOrZero(c.text), c.value) << U8(c.text);
  EXPECT_DOUBLE_EQ(NumOrZero(U"0.1"), static_cast<double>(0.1f)) << "rounded to single precision";
  EXPECT_THROW(NumOrZero(U"1e39"), ConversionError);
}

TEST(RoundToInt16, HalvesGoToTheEvenNeighbour) {
  struct Case {
    double value;
    std::optional<std::int16_t> count;
  } cases[] = {
      {2.5, 2},          {3.5, 4},        {-2.5, -2},      {0.4999, 0},       {32767.4, 32767},
      {32767.5, std::nullopt}, {-32768.5, -32768}, {-32769, std::nullopt}, {40000, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(RoundToInt16(c.value), c.count) << c.value;
}

TEST(ToSingle, OverflowIsNothing) {
  EXPECT_EQ(ToSingle(1.5), 1.5f);
  EXPECT_EQ(ToSingle(1e39), std::nullopt);
  EXPECT_EQ(ToSingle(-1e39), std::nullopt);
}

}  // namespace
}  // namespace tq
