// Sections B and X: reading the layer table, X1.txt, and the layer steps of a whole run.
#include "sections/layers.h"

#include <gtest/gtest.h>
#include <filesystem>

#include "common/errors.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::PatternRow;
using test::Sjis;
using test::T;
using test::U8;


class LayersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drive.MakeFolder("out");
    drive.Write("patdat/KISHITU.TXT", CrLf({PatternRow("0000", "埋土"), PatternRow("2001", "砂"), PatternRow("2002", "シルト")}));
    drive.Write("patdat/XKISHITU.TXT", CrLf({PatternRow("1000", "粘土"), PatternRow("4000", "礫")}));
  }
  // Writes X1.txt into T:\out with the pattern data of the drive.
  void WriteX1(const SectionTable& table, std::int16_t count) {
    BoringFiles out = drive.Folder(U"T:\\out");
    WriteX1File(out, drive.Patterns(), table, count);
  }

  test::PatternDrive drive;
};

// ---- Readers ----

TEST_F(LayersTest, ReadSectionBTakesFiveValuesPerRowAndStopsAtTheNextRecord) {
  SourceFile file(CrLf({"\"a\",\"b\",\"2\"", "\"B\",\"1\",\"x\",\"1.0\",\"v2\",\"砂\",\"v4\",\"暗灰\"",
                        "\"B\",\"2\",\"x\",\"2.5\",\"\",\"シルト\",\"\",\"\"", "\"C\",\"next\""}));
  std::int16_t count = -1;
  SectionTable table;
  ReadSectionB(count, table, file);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(U8(table.At(1, 1)), "1.0");
  EXPECT_EQ(U8(table.At(2, 1)), "v2");
  EXPECT_EQ(U8(table.At(3, 1)), "砂");
  EXPECT_EQ(U8(table.At(4, 1)), "v4");
  EXPECT_EQ(U8(table.At(5, 1)), "暗灰");
  EXPECT_EQ(U8(table.At(3, 2)), "シルト");
  EXPECT_EQ(U8(file.ReadField()), "C");
}

TEST_F(LayersTest, ReadSectionXTakesDepthNameAndDescription) {
  SourceFile file(CrLf({"\"X\",\"1\",\"x\",\"1.0\",\" 砂 \",\"暗灰\"", "\"Z\""}));
  SectionTable table(5, 3);
  table.Set(2, 3, U"left over");
  ReadSectionX(1, table, file);
  ASSERT_EQ(table.Rows(), 1);
  EXPECT_EQ(U8(table.At(1, 1)), "1.0");
  EXPECT_EQ(U8(table.At(2, 1)), "");
  EXPECT_EQ(U8(table.At(3, 1)), " 砂 ");
  EXPECT_EQ(U8(table.At(4, 1)), "");
  EXPECT_EQ(U8(table.At(5, 1)), "暗灰");
  EXPECT_EQ(U8(file.ReadField()), "Z");
}

struct MalformedCase {
  const char* what;
  std::string bytes;
  long line;
};

TEST_F(LayersTest, MalformedSectionBStopsWithItsLine) {
  const std::vector<MalformedCase> cases = {
      {"negative count", CrLf({"\"a\",\"b\",\"-1\""}), 1},
      {"count beyond 16 bits", CrLf({"\"a\",\"b\",\"40000\""}), 1},
      {"file ends inside the section", CrLf({"\"a\",\"b\",\"2\"", "\"B\",\"1\",\"x\",\"1.0\",\"\",\"砂\",\"\",\"\"",
                                             "\"B\",\"2\",\"x\",\"2.0\""}),
       3},
  };
  for (const MalformedCase& c : cases) {
    SCOPED_TRACE(c.what);
    SourceFile file(c.bytes);
    std::int16_t count = 0;
    SectionTable table;
    try {
      ReadSectionB(count, table, file);
      ADD_FAILURE() << "no error";
    } catch (const ConversionError& error) {
      EXPECT_EQ(error.Line(), c.line);
    }
  }
}

TEST_F(LayersTest, FileEndingInsideSectionXStopsWithItsLine) {
  SourceFile file(CrLf({"\"X\",\"1\",\"x\",\"1.0\",\"砂\",\"\"", "\"X\",\"2\",\"x\",\"2.0\""}));
  SectionTable table;
  std::optional<ConversionError> error = test::ConversionErrorOf([&] { ReadSectionX(2, table, file); });
  ASSERT_TRUE(error) << "no error";
  EXPECT_EQ(error->Line(), 2);
}

TEST_F(LayersTest, DepthBeyondTheNumberRangeStopsSectionXWithItsLine) {
  SourceFile file(CrLf({"\"X\",\"1\",\"x\",\"1.0\",\"砂\",\"\"", "\"X\",\"2\",\"x\",\"1E999\",\"砂\",\"\""}));
  SectionTable table;
  std::optional<ConversionError> error = test::ConversionErrorOf([&] {
    ReadSectionX(2, table, file);
    WriteX1(table, 2);
  });
  ASSERT_TRUE(error) << "no error";
  EXPECT_EQ(error->Line(), 2);
  EXPECT_NE(error->Cause().find(U"1E999"), Text::npos) << U8(error->Cause());
  EXPECT_FALSE(drive.Exists("out/X1.txt"));
}

// ---- X1.txt ----

struct LayerRow {
  std::string depth;
  std::string name;
};

struct X1Case {
  const char* what;
  std::vector<LayerRow> rows;
  std::vector<std::string> x1;
};

SectionTable LayerTable(const std::vector<LayerRow>& rows) {
  SectionTable table(5, static_cast<int>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    table.Set(1, static_cast<int>(i) + 1, T(rows[i].depth));
    table.Set(3, static_cast<int>(i) + 1, T(rows[i].name));
  }
  return table;
}

TEST_F(LayersTest, WriteX1FileGroupsConsecutiveRowsBySoilName) {
  const std::vector<X1Case> cases = {
      {"two rows of one name then another", {{"1.0", "砂"}, {"2.5", "砂"}, {"4.0", "シルト"}},
       {"   1,   2.50,2001,砂", "   2,   4.00,2002,シルト"}},
      {"an empty name between two named rows", {{"1", "砂"}, {"2", ""}, {"3", "シルト"}},
       {"   1,   1.00,2001,砂", "   2,   2.00,9999,", "   3,   3.00,2002,シルト"}},
      {"empty names before the first named row are dropped", {{"0.5", ""}, {"1", " "}, {"2", "砂"}},
       {"   1,   2.00,2001,砂"}},
      {"names equal after trimming are one layer, named as first read", {{"1", " 砂"}, {"2", "砂  "}, {"3", "砂"}},
       {"   1,   3.00,2001, 砂"}},
      {"the same name again after another is a new layer", {{"1", "砂"}, {"2", "シルト"}, {"3", "砂"}},
       {"   1,   1.00,2001,砂", "   2,   2.00,2002,シルト", "   3,   3.00,2001,砂"}},
      {"code 0000 stays on the first layer only", {{"1", "埋土"}, {"2", "砂"}, {"3", "埋土"}},
       {"   1,   1.00,0000,埋土", "   2,   2.00,2001,砂", "   3,   3.00,9999,"}},
      {"depth texts cut decimals and keep four integer digits", {{"12.345", "砂"}, {"12345", "シルト"}, {"", "粘土"}},
       {"   1,  12.34,2001,砂", "   2,2345.00,2002,シルト", "   3,   0.00,1000,粘土"}},
      {"no rows", {}, {}},
  };
  for (const X1Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteX1(LayerTable(c.rows), static_cast<std::int16_t>(c.rows.size()));
    EXPECT_EQ(drive.Read("out/X1.txt"), CrLf(c.x1));
  }
}

TEST_F(LayersTest, WriteX1FileLearnsNewNames) {
  WriteX1(LayerTable({{"1", "礫混じり砂"}, {"2", "粘土"}}), 2);
  EXPECT_EQ(drive.Read("out/X1.txt"), CrLf({"   1,   1.00,1001,礫混じり砂", "   2,   2.00,1000,粘土"}));
  EXPECT_EQ(drive.Read("patdat/XKISHITU.TXT"),
            CrLf({PatternRow("1000", "粘土"), PatternRow("1001", "礫混じり砂"), PatternRow("4000", "礫")}));
  EXPECT_EQ(drive.Read("patdat/KISHITU.TXT"),
            CrLf({PatternRow("0000", "埋土"), PatternRow("2001", "砂"), PatternRow("2002", "シルト"), PatternRow("1001", "礫混じり砂"),
                  "1000,粘土,,,,0000"}));
  EXPECT_TRUE(drive.Exists("prog/PATADD.txt"));
}

TEST_F(LayersTest, WriteX1FileKeepsTheOldFileWhenAPatternCannotBeGiven) {
  drive.Write("out/X1.txt", "old");
  drive.Write("patdat/XKISHITU.TXT", CrLf({PatternRow("3999", "粘土"), PatternRow("4000", "礫")}));
  EXPECT_THROW(WriteX1(LayerTable({{"1", "砂"}, {"2", "新しい土"}}), 2), ConversionError);
  EXPECT_EQ(drive.Read("out/X1.txt"), "old");
}

// ---- Whole runs ----

class LayerRunTest : public LayersTest {
 protected:
  LayerRunTest() { drive.ShareFolders(converter.Patterns()); }

  RunOutcome Convert(const std::vector<std::string>& lines) {
    drive.Write("src/12345678002.001", CrLf(lines));
    window.source = U"T:\\src";
    window.destination = U"T:\\out";
    window.SelectAll({U"12345678002.001"});
    return window.Run(converter);
  }
  std::string X1() const { return drive.Read("out/12345678002/X1.txt"); }
  std::string X3() const { return drive.Read("out/12345678002/X3.txt"); }

  Converter converter{drive.Files()};
  test::ScriptedWindow window;
};

const std::string kTitle = "\"A\",\"12345678002\",\"\"";
// The count stands in the fourth field and at characters 26 to 28.
const std::string kXHeader3 = "\"X\",\"001\",\"12345678002\",\"  3\"";
const std::vector<std::string> kXRows = {"\"X\",\"1\",\"\",\"1.0\",\"砂\",\"暗灰\"",
                                         "\"X\",\"2\",\"\",\"2.5\",\"砂\",\"暗灰\"",
                                         "\"X\",\"3\",\"\",\"4.0\",\"シルト\",\"\""};
const std::vector<std::string> kX1 = {"   1,   2.50,2001,砂", "   2,   4.00,2002,シルト"};

std::vector<std::string> Lines(std::vector<std::string> head, const std::vector<std::string>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST_F(LayerRunTest, SectionXAfterSectionBReplacesTheLayers) {
  ASSERT_EQ(Convert(Lines({kTitle, "\"B\",\"001\",\"12345678002\",\"2\"", "\"B\",\"1\",\"\",\"9\",\"\",\"礫\",\"\",\"黒\"",
                           "\"B\",\"2\",\"\",\"9\",\"\",\"粘土\",\"\",\"\"", kXHeader3},
                          kXRows)),
            RunOutcome::kCompleted);
  EXPECT_EQ(X1(), CrLf(kX1));
  EXPECT_EQ(X3(), CrLf({"  1,   2.50,      ,暗灰,      ,,"}));
  EXPECT_EQ(drive.Read("patdat/XKISHITU.TXT"), CrLf({PatternRow("1000", "粘土"), PatternRow("4000", "礫")}))
      << "section B names are never looked up";
}

TEST_F(LayerRunTest, SectionCAfterSectionBIsStillConverted) {
  ASSERT_EQ(Convert(Lines({kTitle, "\"B\",\"001\",\"12345678002\",\"1\"", "\"B\",\"1\",\"\",\"9\",\"\",\"礫\",\"\",\"\"",
                           "\"C\",\"001\",\"12345678002\",\"1\"", "\"C\",\"1\",\"\",\"1.15\",\"12\",\"30\"", kXHeader3},
                          kXRows)),
            RunOutcome::kCompleted);
  EXPECT_TRUE(drive.Exists("out/12345678002/X5.txt"));
  EXPECT_EQ(X1(), CrLf(kX1));
}

TEST_F(LayerRunTest, SectionXFoundByTheLineScanTakesItsCountFromCharacters26To28) {
  ASSERT_EQ(Convert(Lines({kTitle, "\"Q\",\"a record of a kind outside the chain\"", kXHeader3}, kXRows)),
            RunOutcome::kCompleted);
  EXPECT_EQ(X1(), CrLf(kX1));
}

TEST_F(LayerRunTest, TheLineScanReadsTheCountAtItsCharactersNotInTheFourthField) {
  // Field 4 holds 3 here, but characters 26 to 28 are `"  `: the count is 0.
  const std::string shifted = "\"X\",\"0001\",\"12345678002\",\"  3\"";
  ASSERT_EQ(Convert(Lines({kTitle, "\"Q\",\"\"", shifted}, kXRows)), RunOutcome::kCompleted);
  EXPECT_EQ(X1(), "");
  EXPECT_EQ(X3(), "");
}

TEST_F(LayerRunTest, SectionXRightAfterTheChainTakesItsCountFromTheFourthField) {
  const std::string shifted = "\"X\",\"0001\",\"12345678002\",\"  3\"";
  ASSERT_EQ(Convert(Lines({kTitle, shifted}, kXRows)), RunOutcome::kCompleted);
  EXPECT_EQ(X1(), CrLf(kX1));
}

TEST_F(LayerRunTest, XHeaderOnTheLastLineWritesNoLayerFiles) {
  ASSERT_EQ(Convert({kTitle, "\"Q\",\"\"", kXHeader3}), RunOutcome::kCompleted);
  EXPECT_FALSE(drive.Exists("out/12345678002/X1.txt"));
  EXPECT_FALSE(drive.Exists("out/12345678002/X3.txt"));
}

TEST_F(LayerRunTest, FileEndingInsideSectionXStopsTheRunWithFileAndLine) {
  ASSERT_EQ(Convert({kTitle, kXHeader3, kXRows[0], kXRows[1]}), RunOutcome::kConversionFailed);
  ASSERT_FALSE(window.messages.empty());
  const test::ShownMessage& message = window.messages.back();
  EXPECT_EQ(message.style, kStyleOkExclamation);
  EXPECT_NE(message.text.find(U"12345678002.001"), Text::npos) << U8(message.text);
  EXPECT_NE(message.text.find(U"の 4 行目"), Text::npos) << U8(message.text);
  EXPECT_FALSE(drive.Exists("out/12345678002/X1.txt"));
}

TEST_F(LayerRunTest, NegativeLayerCountStopsTheRunWithItsLine) {
  ASSERT_EQ(Convert({kTitle, "\"X\",\"001\",\"12345678002\",\" -1\"", kXRows[0]}), RunOutcome::kConversionFailed);
  ASSERT_FALSE(window.messages.empty());
  EXPECT_NE(window.messages.back().text.find(U"の 2 行目"), Text::npos) << U8(window.messages.back().text);
  EXPECT_FALSE(drive.Exists("out/12345678002/X1.txt"));
}

TEST_F(LayerRunTest, FullPatternRangeStopsTheRunNamingTheSoil) {
  drive.Write("patdat/XKISHITU.TXT", CrLf({PatternRow("3999", "粘土"), PatternRow("4000", "礫")}));
  ASSERT_EQ(Convert({kTitle, kXHeader3, kXRows[0], kXRows[1], "\"X\",\"3\",\"\",\"4.0\",\"新しい土\",\"\""}),
            RunOutcome::kConversionFailed);
  ASSERT_FALSE(window.messages.empty());
  EXPECT_EQ(window.messages.back().style, kStyleOkExclamation);
  EXPECT_NE(window.messages.back().text.find(U"「新しい土」"), Text::npos) << U8(window.messages.back().text);
  EXPECT_FALSE(drive.Exists("out/12345678002/X1.txt"));
}

std::string Repeat(const std::string& utf8, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += utf8;
  return repeated;
}

struct RefusedNameCase {
  const char* what;
  std::string nameBytes;  // the soil name field as it stands in the file, quotes included
  const char* cause;
};

// A name that cannot be one row of the shared tables stops the file at the line of its row,
// before any table is touched; the longest name allowed is still learned.
TEST_F(LayerRunTest, SoilNameTheTablesCannotHoldStopsAtItsLine) {
  const std::vector<RefusedNameCase> cases = {
      {"CR LF and digits inside the quotes", "\"" + Sjis("泥") + "\r\n4500" + Sjis("岩") + "\"", "改行"},
      {"a lone LF", "\"" + Sjis("泥") + "\n" + Sjis("岩") + "\"", "改行"},
      {"257 characters", "\"" + Sjis(Repeat("砂", 257)) + "\"", "257 文字"},
      {"saved as UTF-8", "\"\xE7\xA0\x82\xE8\xB3\xAA\"", "UTF-8"},
      {"a lone lead byte at the end", "\"" + Sjis("砂") + "\x81\"", "Shift-JIS で保存されていない"},
  };
  for (const RefusedNameCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::string soil = drive.Read("patdat/KISHITU.TXT");
    std::string extended = drive.Read("patdat/XKISHITU.TXT");
    drive.Write("src/12345678002.001", CrLf({kTitle, kXHeader3, kXRows[0]}) + "\"X\",\"2\",\"\",\"2.5\"," + c.nameBytes +
                                            ",\"\"\r\n" + CrLf({kXRows[2]}));
    window = test::ScriptedWindow();
    window.source = U"T:\\src";
    window.destination = U"T:\\out";
    window.SelectAll({U"12345678002.001"});
    ASSERT_EQ(window.Run(converter), RunOutcome::kConversionFailed);
    ASSERT_EQ(window.messages.size(), 1u);
    const std::string message = U8(window.messages[0].text);
    EXPECT_NE(message.find("の 4 行目"), std::string::npos) << message;
    EXPECT_NE(message.find(c.cause), std::string::npos) << message;
    EXPECT_EQ(drive.Read("patdat/KISHITU.TXT"), soil);
    EXPECT_EQ(drive.Read("patdat/XKISHITU.TXT"), extended);
    EXPECT_FALSE(drive.Exists("patdat/KISHITU.LCK"));
  }
  const std::string longest = Repeat("砂", 256);
  ASSERT_EQ(Convert({kTitle, kXHeader3, kXRows[0], "\"X\",\"2\",\"\",\"2.5\",\" " + longest + " \",\"\"", kXRows[2]}),
            RunOutcome::kCompleted);
  EXPECT_NE(drive.Read("patdat/KISHITU.TXT").find(Sjis(longest)), std::string::npos);
}

// A window that keeps the warnings the run gives it.
class WarnedWindow : public test::ScriptedWindow {
 public:
  void Warning(const Text& text) override { warnings.push_back(text); }
  std::vector<Text> warnings;
};

TEST_F(LayersTest, MarkerFailureIsWarnedOncePerRunAndTheRunCompletes) {
  Converter converter(drive.Files());
  drive.ShareFolders(converter.Patterns());
  converter.Patterns().SetProgramFolder(U"T:\\no-such-folder");
  drive.Write("src/12345678002.001",
              CrLf({kTitle, kXHeader3, "\"X\",\"1\",\"\",\"1\",\"新土1\",\"\"", "\"X\",\"2\",\"\",\"2\",\"新土2\",\"\"",
                    "\"X\",\"3\",\"\",\"3\",\"新土3\",\"\""}));
  WarnedWindow window;
  window.source = U"T:\\src";
  window.destination = U"T:\\out";
  window.SelectAll({U"12345678002.001"});
  ASSERT_EQ(window.Run(converter), RunOutcome::kCompleted);
  ASSERT_EQ(window.warnings.size(), 1u);
  EXPECT_NE(window.warnings[0].find(U"PATADD.txt"), Text::npos);
  EXPECT_EQ(drive.Read("out/12345678002/X1.txt"),
            CrLf({"   1,   1.00,1001,新土1", "   2,   2.00,1002,新土2", "   3,   3.00,1003,新土3"}));
}

// ---- The example boring ----

const std::filesystem::path kExamples = TECRIS2QUILLO_EXAMPLES;

// Converts the example boring with a scratch copy of the example pattern data.
RunOutcome ConvertExample(test::TempDrive& drive) {
  if (!drive.Exists("patdat")) std::filesystem::copy(kExamples / "patdat", drive.Native("patdat"));
  if (!drive.Exists("src")) {
    drive.MakeFolder("src");
    std::filesystem::copy_file(kExamples / "borings" / "12345678.002", drive.Native("src/12345678.002"));
  }
  drive.MakeFolder("prog");
  Converter converter(drive.Files());
  converter.Patterns().SetFolder(U"T:\\patdat\\");
  converter.Patterns().SetProgramFolder(U"T:\\prog");
  test::ScriptedWindow window;
  window.source = U"T:\\src";
  window.destination = U"T:\\out";
  window.answers = {kAnswerYes};
  window.SelectAll({U"12345678.002"});
  return window.Run(converter);
}

TEST(LayersExampleTest, ConvertWritesTheLayerFilesAndExtendsThePatternTables) {
  test::TempDrive drive;
  ASSERT_EQ(ConvertExample(drive), RunOutcome::kCompleted);

  EXPECT_EQ(drive.Read("out/12345678002/X1.txt"),
            CrLf({"   1,   2.50,4001,砂", "   2,   4.80,4004,シルト", "   3,   6.35,1001,礫混じり砂",
                  "   4,  10.00,4002,粘土"}));
  EXPECT_EQ(drive.Read("out/12345678002/X3.txt"),
            "  1,   2.50,0103  ," + Sjis("暗灰") + ",      ,,\r\n" +  //
                "  2,   4.80,03    ," + Sjis("灰") + ",04    ," + Sjis("褐") + ",\x81\x60\r\n" +
                "  3,  10.00,0104  ," + Sjis("暗褐") + ",      ,,\r\n");
  // シルト was only in XKISHITU.TXT and is copied as read; 礫混じり砂 was in neither table.
  EXPECT_EQ(drive.Read("patdat/KISHITU.TXT"),
            CrLf({PatternRow("4001", "砂"), PatternRow("4002", "粘土"), PatternRow("4003", "礫"), PatternRow("1000", "砂質シルト"),
                  "4004,シルト,,,,0012", PatternRow("1001", "礫混じり砂")}));
  EXPECT_EQ(drive.Read("patdat/XKISHITU.TXT"),
            CrLf({PatternRow("1000", "砂質シルト"), PatternRow("1001", "礫混じり砂"), "4001,砂,    ,    ,    ,0010",
                  "4002,粘土,    ,    ,    ,0011", "4003,礫,    ,    ,    ,0013", "4004,シルト,    ,    ,    ,0012",
                  "4005,礫混じり粘土,    ,    ,    ,0014"}));
  EXPECT_TRUE(drive.Exists("prog/PATADD.txt"));

  // A second conversion finds every name in KISHITU.TXT and changes no table.
  std::string soil = drive.Read("patdat/KISHITU.TXT");
  std::string extended = drive.Read("patdat/XKISHITU.TXT");
  ASSERT_EQ(ConvertExample(drive), RunOutcome::kCompleted);
  EXPECT_EQ(drive.Read("patdat/KISHITU.TXT"), soil);
  EXPECT_EQ(drive.Read("patdat/XKISHITU.TXT"), extended);
}

}  // namespace
}  // namespace tq
