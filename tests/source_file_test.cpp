// Field reading, line reading and the end test of source files.
#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/source_file.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::Sjis;

std::vector<Text> ReadAllFields(SourceFile& file) {
  std::vector<Text> fields;
  while (!file.AtEnd()) fields.push_back(file.ReadField());
  return fields;
}

TEST(FieldReading, QuotesCommasAndLineEnds) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<Text> fields;
  } cases[] = {
      {"quoted fields lose their quotes", "\"A\",\"12345678001\"\r\n", {U"A", U"12345678001"}},
      {"a comma inside quotes stays", "\"a,b\",c\r\n", {U"a,b", U"c"}},
      {"line ends separate like commas", "\"A\",\"1\"\r\n\"B\",\"2\"\r\n", {U"A", U"1", U"B", U"2"}},
      {"spaces before a field are skipped", "  \"x\",   y\r\n", {U"x", U"y"}},
      {"an unquoted field loses trailing spaces", "a  ,b \r\n", {U"a", U"b"}},
      {"a quoted field keeps every character", "\" a \",\"\"\r\n", {U" a ", U""}},
      {"characters after the closing quote are dropped", "\"a\"zz,b\r\n", {U"a", U"b"}},
      {"a comma at the line end gives an empty field", "a,\r\nb\r\n", {U"a", U"", U"b"}},
      {"an empty line is one empty field", "a\r\n\r\nb\r\n", {U"a", U"", U"b"}},
      {"lone LF and CR end lines too", "a\nb\rc", {U"a", U"b", U"c"}},
      {"no line end after the last field", "a,b", {U"a", U"b"}},
      {"an end-of-file mark is no data", "a\r\n\x1A", {U"a"}},
      {"code page 932 inside quotes", Sjis("\"砂,礫\",シルト\r\n"), {U"砂,礫", U"シルト"}},
  };
  for (auto& c : cases) {
    SourceFile file(c.bytes);
    EXPECT_EQ(ReadAllFields(file), c.fields) << c.name;
  }
}

TEST(FieldReading, TellsLineAndHowTheFieldEnded) {
  SourceFile file("\"A\",\"1\"\r\n\"B\"\r\n");
  file.ReadField();
  EXPECT_EQ(file.LastLine(), 1);
  EXPECT_FALSE(file.LastFieldEndedLine());
  file.ReadField();
  EXPECT_EQ(file.LastLine(), 1);
  EXPECT_TRUE(file.LastFieldEndedLine());
  file.ReadField();
  EXPECT_EQ(file.LastLine(), 2);
  EXPECT_TRUE(file.AtEnd());
}

TEST(FieldReading, ReadingPastTheEndIsAnErrorNamingTheLastLine) {
  SourceFile file("a\r\nb\r\n");
  file.SkipFields(2);
  std::optional<ConversionError> error = test::ConversionErrorOf([&] { file.ReadField(); });
  ASSERT_TRUE(error) << "reading past the end must fail";
  EXPECT_EQ(error->Line(), 2);
  EXPECT_THROW(file.ReadLine(), ConversionError);
  EXPECT_THROW(SourceFile("").ReadField(), ConversionError);
}

TEST(LineReading, ReadsTheRestOfTheLine) {
  SourceFile file(Sjis("\"A\",\"x\"\r\n\"X\",\"\",\"\",\"  3\"\r\n"));
  EXPECT_EQ(file.ReadField(), U"A");
  EXPECT_EQ(file.ReadLine(), U"\"x\"");
  EXPECT_EQ(file.ReadLine(), U"\"X\",\"\",\"\",\"  3\"");
  EXPECT_EQ(file.LastLine(), 2);
  EXPECT_TRUE(file.AtEnd());
}

TEST(SectionCount, RoundsHalvesToEvenAndRefusesWhatDoesNotFit) {
  struct Case {
    std::string field;
    std::optional<std::int16_t> count;
  } cases[] = {
      {"\"3\"", 3}, {"\"2.5\"", 2}, {"\"3.5\"", 4}, {"\"abc\"", 0}, {"\"\"", 0}, {"\" 7 \"", 7},
      {"\"-1\"", std::nullopt}, {"\"32768\"", std::nullopt}, {"\"1e400\"", std::nullopt},
  };
  for (const Case& c : cases) {
    SourceFile file("\r\n" + c.field + "\r\n");
    file.ReadField();
    if (c.count) {
      EXPECT_EQ(ReadSectionCount(file), *c.count) << c.field;
      continue;
    }
    try {
      ReadSectionCount(file);
      ADD_FAILURE() << c.field << " must be refused";
    } catch (const ConversionError& error) {
      EXPECT_EQ(error.Line(), 2) << c.field;
    }
  }
}

TEST(LineMark, ReturnsToTheBeginningOfTheLineBeingRead) {
  SourceFile file(test::CrLf({R"("H","1")", R"("Z","a","b")", R"("K")"}));
  file.ReadLine();
  file.ReadField();
  SourceFile::LineMark mark = file.MarkLineStart();
  while (!file.AtEnd()) file.ReadLine();
  file.ReturnTo(mark);
  EXPECT_EQ(file.ReadLine(), U"\"Z\",\"a\",\"b\"");
  EXPECT_EQ(file.LastLine(), 2);
  EXPECT_EQ(file.ReadField(), U"K");
  EXPECT_EQ(file.LastLine(), 3);
}

TEST(LineMark, MarksAtALineStartAndAtTheEnd) {
  SourceFile file(test::CrLf({"a,b", "c"}));
  SourceFile::LineMark start = file.MarkLineStart();
  file.ReadField();
  file.ReadField();
  SourceFile::LineMark second = file.MarkLineStart();
  file.ReadLine();
  SourceFile::LineMark end = file.MarkLineStart();
  file.ReturnTo(start);
  EXPECT_EQ(file.ReadLine(), U"a,b");
  file.ReturnTo(second);
  EXPECT_EQ(file.ReadLine(), U"c");
  file.ReturnTo(end);
  EXPECT_TRUE(file.AtEnd());
  EXPECT_THROW(file.ReadField(), ConversionError);
}

TEST(LineMark, ALastLineWithoutLineEndIsMarkedFromItsStart) {
  SourceFile file(std::string("x\r\n\"Z\",\"a\""));
  file.ReadLine();
  file.ReadField();
  file.ReadField();
  ASSERT_TRUE(file.AtEnd());
  file.ReturnTo(file.MarkLineStart());
  EXPECT_EQ(file.ReadLine(), U"\"Z\",\"a\"");
}

}  // namespace
}  // namespace tq
