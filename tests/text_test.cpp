// Code page 932 conversion, width folding and the byte-position helpers.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <iconv.h>
#endif

#include <cstdint>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/text.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::Sjis;
using test::T;

struct CodeCase {
  const char* name;
  std::string bytes;
  Text text;
};

class Cp932Decode : public ::testing::TestWithParam<CodeCase> {};

TEST_P(Cp932Decode, DecodesAndEncodesBack) {
  const CodeCase& c = GetParam();
  EXPECT_EQ(FromShiftJis(c.bytes), c.text) << c.name;
  EXPECT_EQ(ToShiftJis(c.text), c.bytes) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Groups, Cp932Decode,
    ::testing::Values(
        // ASCII, with the backslash and tilde as themselves
        CodeCase{"ascii", "A,\"1\" \\~", U"A,\"1\" \\~"},
        // half-width katakana ﾌｧｲﾙ
        CodeCase{"halfwidth katakana", "\xCC\xA7\xB2\xD9", U"\uFF8C\uFF67\uFF72\uFF99"},
        // two-byte kanji 砂, 粘土
        CodeCase{"kanji", "\x8D\xBB\x94\x53\x93\x79", U"砂粘土"},
        // Microsoft's forms of the wave dash, backslash, minus and yen signs
        CodeCase{"wave dash", "\x81\x60", U"\uFF5E"},
        CodeCase{"fullwidth reverse solidus", "\x81\x5F", U"\uFF3C"},
        CodeCase{"fullwidth hyphen-minus", "\x81\x7C", U"\uFF0D"},
        CodeCase{"fullwidth yen", "\x81\x8F", U"\uFFE5"},
        // NEC row 13: circled digit one, roman numeral one
        CodeCase{"nec row 13", "\x87\x40\x87\x54", U"\u2460\u2160"},
        // IBM extensions: small roman numeral one, 髙
        CodeCase{"ibm extension", "\xFA\x40\xFB\xFC", U"\u2170\u9AD9"},
        // user-defined area maps to the private use area
        CodeCase{"user defined", "\xF0\x40", U"\uE000"}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name) {
        if (c == ' ' || c == '-') c = '_';
      }
      return name;
    });

#ifndef _WIN32
// The table of two-byte characters is built a lead byte at a time, passing over the pairs that
// are no character; every pair must read as the system's converter reads it on its own.
TEST(Cp932, EveryPairReadsAsTheSystemReadsItAlone) {
  iconv_t cd = iconv_open("UTF-32LE", "CP932");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  const cp932::TableView tables = cp932::View();
  int characters = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!cp932::IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      unsigned char out[8] = {};
      char* inPtr = in;
      char* outPtr = reinterpret_cast<char*>(out);
      std::size_t inLeft = 2;
      std::size_t outLeft = sizeof out;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      bool whole = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0 &&
                   sizeof out - outLeft == 4;
      char32_t alone = whole ? static_cast<char32_t>(out[0] | (out[1] << 8) | (out[2] << 16) | (out[3] << 24)) : 0;
      EXPECT_EQ(tables.Pair(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)), alone)
          << std::hex << lead << " " << trail;
      characters += alone != 0 ? 1 : 0;
    }
  }
  iconv_close(cd);
  EXPECT_GT(characters, 7000);  // JIS X 0208 and the NEC and IBM extensions at the least
}
#endif

TEST(Cp932, InvalidAndTruncatedBytesSurviveUnchanged) {
  const std::string cases[] = {
      "\x80",              // not a character
      "\xA0\xFD\xFE\xFF",  // unassigned single bytes
      "\x81",              // lead byte at the end of the text
      "\x81\x20",          // lead byte followed by a space
      "\x85\x40",          // unassigned two-byte row
      "abc\x81\x7F" "def",  // invalid trail byte 0x7F
  };
  for (const std::string& bytes : cases) {
    Text text = FromShiftJis(bytes);
    EXPECT_EQ(ToShiftJis(text), bytes);
    EXPECT_EQ(ToUtf8(text), bytes) << "carried bytes leave as themselves";
  }
  EXPECT_EQ(FromShiftJis("\x81\x20").size(), 2u) << "the lead byte counts as one character, the space stays";
}

TEST(Cp932, DuplicateFormsEncodeAsWindowsDoes) {
  // NEC-selected IBM extensions decode to the same characters as the IBM rows; writing
  // prefers the IBM row, and the JIS rows over both.
  EXPECT_EQ(ToShiftJis(FromShiftJis("\xED\x40")), "\xFA\x5C");  // 纊
  EXPECT_EQ(ToShiftJis(U"\u2252"), "\x81\xE0");                 // ≒
  EXPECT_EQ(ToShiftJis(U"\uFFE2"), "\x81\xCA");                 // ￢
  EXPECT_EQ(ToShiftJis(U"\u2160"), "\x87\x54");                 // Ⅰ
}

TEST(Cp932, CharacterWithoutFormBecomesQuestionMark) {
  EXPECT_EQ(ToShiftJis(U"a\U0001F600b"), "a?b");
  EXPECT_EQ(ToShiftJis(U"砂\U0001F600砂砂"), Sjis("砂") + "?" + Sjis("砂砂")) << "two-byte characters go on after it";
}

TEST(Utf8, RoundTripsTextAndCarriesInvalidBytes) {
  EXPECT_EQ(FromUtf8("砂 ～"), U"砂 ～");
  EXPECT_EQ(ToUtf8(U"粘土"), "粘土");
  EXPECT_EQ(ToUtf8(FromUtf8("a\xFF" "b")), "a\xFF" "b");
}

TEST(NormaliseKind, FoldsWidthThenUpperCase) {
  struct Case {
    Text in;
    Text out;
  } cases[] = {
      {U"A", U"A"}, {U"a", U"A"}, {U"Ａ", U"A"}, {U"ａ", U"A"}, {U"ｘ", U"X"},
      {U" a", U" A"},          // nothing is trimmed
      {U"ガ", U"\uFF76\uFF9E"},  // voiced katakana folds into two characters
      {U"　", U" "},
      {U"砂", U"砂"},
  };
  for (const Case& c : cases) EXPECT_EQ(NormaliseKind(c.in), c.out) << test::U8(c.in);
}

// The length of one character, counted without encoding it, is the length of its encoding:
// every character of the basic plane, one beyond it, and a byte kept from an invalid sequence.
TEST(ShiftJisBytes, OneCharactersLengthIsThatOfItsBytes) {
  std::vector<char32_t> characters{U'\U0001F600', FromShiftJis("\xFD")[0]};
  for (char32_t c = 1; c < 0x10000; ++c) characters.push_back(c);
  for (char32_t c : characters) {
    ASSERT_EQ(ShiftJisLength(c), ToShiftJis(TextView(&c, 1)).size()) << static_cast<std::uint32_t>(c);
  }
}

TEST(ShiftJisBytes, CountsAndCutsByBytes) {
  EXPECT_EQ(ShiftJisByteLength(U"砂礫土a"), 7);
  EXPECT_EQ(ShiftJisByteLength(U"ｶﾞ"), 2);
  EXPECT_EQ(ShiftJisMid(U"C:\\", 2, 1), U":");
  // the trail byte of 砂 (0x8D 0xBB) read alone is the half-width katakana ｻ, never a colon
  EXPECT_EQ(ShiftJisMid(U"砂C:", 2, 1), U"\uFF7B");
  EXPECT_EQ(ShiftJisMid(U"ab砂c", 3, 2), U"砂");
  EXPECT_EQ(ShiftJisMid(U"abc", 2), U"bc");
  EXPECT_EQ(ShiftJisMid(U"abc", 5, 1), U"");
}

TEST(Trim, RemovesHalfWidthSpacesOnly) {
  EXPECT_EQ(Trim(U"  a b  "), U"a b");
  EXPECT_EQ(Trim(U"   "), U"");
  EXPECT_EQ(Trim(U"\u3000a\u3000"), U"\u3000a\u3000");
  EXPECT_EQ(TrimLeft(U"  a "), U"a ");
  EXPECT_EQ(TrimRight(U"  a "), U"  a");
}

TEST(Substrings, CountCharactersFromOne) {
  EXPECT_EQ(Mid(U"砂シルト", 2, 2), U"シル");
  EXPECT_EQ(Mid(U"abc", 0, 1), U"");
  EXPECT_EQ(Left(U"abc", 5), U"abc");
  EXPECT_EQ(Right(U"abcdef", 4), U"cdef");
}

}  // namespace
}  // namespace tq
