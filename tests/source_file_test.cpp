#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/source_file.h"
#include "support/test_support.h"

namespace tq {
namespace {

TEST(SourceFileLineMarkTest, ReturnsToTheBeginningOfTheLineBeingRead) {
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

TEST(SourceFileLineMarkTest, MarksAtALineStartAndAtTheEnd) {
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

TEST(SourceFileLineMarkTest, ALastLineWithoutLineEndIsMarkedFromItsStart) {
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
