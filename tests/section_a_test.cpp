// The title section: reading the A records and the three title files.
#include <gtest/gtest.h>

#include "common/errors.h"
#include "patterns/lookup_tables.h"
#include "sections/section_a.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::Sjis;
using test::TempDrive;

// A complete title section followed by a section C header.
const std::vector<std::string> kFullTitle = {
    "\"A\",\"12345678001\",\"\"",
    "\"A\",\"\",\"\",\"東京地区地質調査\"",
    "\"A\",\"\",\"\",\"No.1\",\"12\",\"*3\",\"5\",\"1998123456\"",
    "\"A\",\"\",\"\",\"3541234\",\"13905071\",\"12.5\",\"12345\",\"7.25\",\"-3\",\"4\",\"21\",\"1.5\",\"2.25\",\"x\",\"y\"",
    "\"A\",\"\",\"\",\"a\",\"bc\",\"def\",\"gh\",\"ij\",\"kl\",\"12345\",\"10\",\"備考\"",
    "\"C\",\"\",\"\",\"0\"",
};

std::string Lines(const std::vector<std::string>& lines) { return CrLf(lines); }

std::vector<std::string> Empty(int n) { return std::vector<std::string>(static_cast<std::size_t>(n), ""); }

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class TitleSection : public ::testing::Test {
 protected:
  void SetUp() override {
    drive_.MakeFolder("out");
    drive_.Write("pat/L2.txt", CrLf({"10,粘性土", "21, 砂質土 ", "21,礫"}));
    patterns_.SetFolder(U"T:\\pat\\");
  }

  // Reads the section from the bytes (the run has read the first record kind) and writes it.
  Text Convert(const std::string& bytes, TitleFields& fields) {
    SourceFile file(bytes);
    file.ReadField();
    Text header;
    Text kind;
    ReadSectionA(fields, file, header, kind);
    WriteTitleFiles(out_, patterns_, fields, header);
    return kind;
  }

  TempDrive drive_;
  PatternData patterns_{drive_.Files(), Text()};
  BoringFiles out_ = drive_.Folder(U"T:\\out");
};

TEST_F(TitleSection, FullSectionWritesEveryLine) {
  TitleFields fields;
  EXPECT_EQ(Convert(Lines(kFullTitle), fields), U"") << "after five A records the run reads the next kind";
  EXPECT_EQ(fields[5], U"");
  EXPECT_EQ(fields[9], U"");

  EXPECT_EQ(drive_.Read("out/titl01.txt"),
            Lines(Concat({{"東京地区地質調査"}, Empty(2), {"1998"}, Empty(2), {"2345", "10"}, Empty(1),
                          {"No.1", "35", "41", " 23.4", "139", " 5", "  7.1"}, Empty(1), {"備考"}, Empty(5)})));
  EXPECT_EQ(drive_.Read("out/titl02.txt"),
            Lines(Concat({Empty(16), {"01", "ＴＰ", "    12.5", "     1.5"}, Empty(2), {"    2.25"}, Empty(1),
                          {"    -3", "     4"}, Empty(4), {"21", "砂質土"}, Empty(7), {"12345678001"}, Empty(1)})));
  EXPECT_EQ(drive_.Read("out/titl04.txt"),
            Lines({"   12", "", "", "  5", "123456", "12", "345", "7.25", "a", "bc", "def", "gh", "ij", "kl"}));
}

TEST_F(TitleSection, OnlyTheFirstRecordLeavesEveryFieldLineEmpty) {
  TitleFields fields;
  EXPECT_EQ(Convert(Lines({"\"A\",\" 12345678001\",\"\"", "\"c\",\"\",\"\",\"0\""}), fields), U"c")
      << "the next kind is left exactly as read";
  EXPECT_EQ(drive_.Read("out/titl01.txt"), Lines(Empty(23)));
  EXPECT_EQ(drive_.Read("out/titl02.txt"), Lines(Concat({Empty(39), {" 12345678001"}, Empty(1)})));
  EXPECT_EQ(drive_.Read("out/titl04.txt"), Lines(Empty(14)));
}

TEST_F(TitleSection, CodesAndAnglesSplitOnlyAtTheirLengths) {
  struct Case {
    std::string code;
    std::string angle1;
    std::string angle2;
    std::array<Text, 9> fields7to15;
  } cases[] = {
      {"1998123456789", "3541234", "1390507", {U"1998", U"123456", U"789", U"35", U"41", U"234", U"", U"", U""}},
      {"19981234567", " 354123", "13905071 ", {U"", U"", U"", U"", U"", U"", U"139", U"05", U"071"}},
      {" 1998123456 ", "354123", "139050712", {U" 199", U"812345", U"", U"", U"", U"", U"", U"", U""}},
  };
  for (const Case& c : cases) {
    TitleFields fields;
    fields[11] = U"stale";
    Convert(Lines({"\"A\",\"1\",\"\"", "\"A\",\"\",\"\",\"\"",
                   "\"A\",\"\",\"\",\"\",\"\",\"\",\"\",\"" + c.code + "\"",
                   "\"A\",\"\",\"\",\"" + c.angle1 + "\",\"" + c.angle2 + "\",,,,,,,,,,", "\"C\""}),
            fields);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(fields[static_cast<std::size_t>(7 + i)], c.fields7to15[static_cast<std::size_t>(i)]) << c.code << " field " << 7 + i;
  }
}

TEST_F(TitleSection, MarkedAndOddFieldsOfTitl04) {
  TitleFields fields;
  fields[3] = U"*12";
  fields[4] = U"3";
  fields[17] = U"1234";
  fields[26] = U"xyz";
  fields[28] = U"  ";
  WriteTitleFiles(out_, patterns_, fields, U"");
  EXPECT_EQ(drive_.Read("out/titl04.txt"), Lines({"", "   3", "", "", "", "", "", "", "z", "", "", "", "", ""}));
}

TEST_F(TitleSection, ANumberTooLargeToWriteStopsAtItsLine) {
  struct Case {
    std::size_t record;  // index into kFullTitle
    std::size_t field;   // after the record's letter, from 1
  } cases[] = {
      {2, 4}, {2, 5}, {2, 6},                                    // fields 3, 4 and 6
      {3, 5}, {3, 8}, {3, 9}, {3, 10}, {3, 11}, {3, 12},         // fields 16 and 19 to 23
      {4, 9}, {4, 10},                                           // fields 32 and 33
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = kFullTitle;
    std::string& line = lines[c.record];
    std::size_t start = 0;
    for (std::size_t k = 0; k < c.field; ++k) start = line.find(",\"", start) + 1;
    std::size_t end = line.find('"', start + 1);
    line.replace(start, end - start + 1, "\"1e999\"");
    TitleFields fields;
    try {
      Convert(Lines(lines), fields);
      ADD_FAILURE() << line << ": a number beyond double precision must stop the conversion";
    } catch (const ConversionError& error) {
      EXPECT_EQ(error.Line(), static_cast<long>(c.record) + 1) << line;
    }
    EXPECT_FALSE(drive_.Exists("out/titl01.txt")) << line << ": no title file is written before every value is";
  }
}

TEST(SplitByWidths, PartsAfterTheTextRanOutStay) {
  SplitParts parts{U"", U"p1", U"p2", U"p3"};
  SplitByWidths(U"123456", 3, {0, 4, 6, 3, 0}, parts);
  EXPECT_EQ(parts, (SplitParts{U"", U"1234", U"56", U"p3"}));
  SplitParts exact;
  SplitByWidths(U"砂質土abc", 2, {0, 3, 3, 0, 0}, exact);
  EXPECT_EQ(exact, (SplitParts{U"", U"砂質土", U"abc", U""}));
}

TEST_F(TitleSection, L2LookupFirstMatchTrimmed) {
  EXPECT_EQ(LookupL2Name(patterns_, 21), U"砂質土");
  EXPECT_EQ(LookupL2Name(patterns_, 10), U"粘性土");
  EXPECT_EQ(LookupL2Name(patterns_, 99), U"");
  std::vector<std::string> many;
  for (int i = 1; i <= 12; ++i) many.push_back(std::to_string(i) + ",name" + std::to_string(i));
  drive_.Write("pat/L2.txt", CrLf(many));
  EXPECT_EQ(LookupL2Name(patterns_, 12), U"name12") << "the table is not limited to ten lines";
  drive_.Write("pat/L2.txt", CrLf({"1,a", "2"}));
  EXPECT_EQ(LookupL2Name(patterns_, 2), U"") << "a line without a name matches nothing";
  std::filesystem::remove(drive_.Native("pat/L2.txt"));
  EXPECT_EQ(LookupL2Name(patterns_, 1), U"") << "no L2.txt";
  drive_.MakeFolder("pat/L2.txt");
  EXPECT_EQ(LookupL2Name(patterns_, 1), U"") << "a folder named L2.txt";
}

TEST_F(TitleSection, L2CodeIsTheRoundedValueOfField21) {
  TitleFields fields;
  fields[21] = U"20.5";  // halves to the even neighbour: 20, not in the table
  WriteTitleFiles(out_, patterns_, fields, U"");
  std::string titl02 = drive_.Read("out/titl02.txt");
  EXPECT_EQ(titl02, Lines(Concat({Empty(30), {".5", ""}, Empty(9)}))) << "line 31 keeps the last two characters";
  fields[21] = U"99999";  // no 16-bit code: no name
  WriteTitleFiles(out_, patterns_, fields, U"");
  EXPECT_EQ(drive_.Read("out/titl02.txt"), Lines(Concat({Empty(30), {"99", ""}, Empty(9)})));
}

}  // namespace
}  // namespace tq
