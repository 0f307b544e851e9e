// Section Z: reading remark rows and writing X12.txt with long texts cut into pieces.
#include "sections/section_z.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::T;
using test::TempDrive;

SectionTable ZTable(const std::vector<std::pair<std::string, Text>>& rows) {
  SectionTable table(2, static_cast<int>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    table.Set(1, static_cast<int>(i + 1), T(rows[i].first));
    table.Set(2, static_cast<int>(i + 1), rows[i].second);
  }
  return table;
}

std::string WriteAndRead(const SectionTable& table) {
  TempDrive drive;
  drive.MakeFolder("b");
  BoringFiles folder = drive.Folder(U"T:\\b");
  WriteX12File(folder, table, static_cast<std::int16_t>(table.Rows()));
  return drive.Read("b/X12.txt");
}

TEST(ReadSectionZTest, ReadsDepthAndTextAndStopsAtTheNextRecord) {
  SourceFile file(CrLf({R"("Z","1","1","1.2","砂混じり, 礫あり")", R"("Z","1","2","3.5","")", R"("K","x")"}));
  SectionTable table;
  ReadSectionZ(2, table, file);
  EXPECT_EQ(table.At(1, 1), U"1.2");
  EXPECT_EQ(table.At(2, 1), T("砂混じり, 礫あり"));
  EXPECT_EQ(table.At(1, 2), U"3.5");
  EXPECT_EQ(table.At(2, 2), U"");
  EXPECT_EQ(file.ReadField(), U"K");
}

TEST(ReadSectionZTest, DepthTooLargeForAnyNumberStopsWithItsLine) {
  TempDrive drive;
  drive.MakeFolder("b");
  SourceFile file(CrLf({R"("Z","1","1","1.2","a")", R"("Z","1","2","1e999","b")"}));
  SectionTable table;
  std::optional<ConversionError> error = test::ConversionErrorOf([&] {
    ReadSectionZ(2, table, file);
    BoringFiles folder = drive.Folder(U"T:\\b");
    WriteX12File(folder, table, 2);
  });
  ASSERT_TRUE(error) << "no error";
  EXPECT_EQ(error->Line(), 2);
  EXPECT_FALSE(drive.Exists("b/X12.txt"));
}

TEST(WriteX12FileTest, EachTextCarriesTheDepthOfTheRowBefore) {
  EXPECT_EQ(WriteAndRead(ZTable({{"1.2", T("表土")}, {"3.5", T("粘土")}, {"12.345", U""}})),
            CrLf({"   1,   0.00,\"表土\"", "   2,   1.20,\"粘土\"", "   3,   3.50,\"\""}));
}

TEST(WriteX12FileTest, NoRowsGiveAnEmptyFile) { EXPECT_EQ(WriteAndRead(SectionTable(2, 0)), ""); }

TEST(WriteX12FileTest, LongTextsTakeOneNumberedLineForEachPiece) {
  Text zenkaku300(300, U'あ');
  std::string a127;
  for (int i = 0; i < 127; ++i) a127 += "あ";
  std::string a46;
  for (int i = 0; i < 46; ++i) a46 += "あ";
  EXPECT_EQ(WriteAndRead(ZTable({{"2", U"x"}, {"4", zenkaku300}, {"", U"y"}})),
            CrLf({"   1,   0.00,\"x\"", "   2,   2.00,\"" + a127 + "\"", "   3,       ,\"" + a127 + "\"",
                  "   4,       ,\"" + a46 + "\"", "   5,   4.00,\"y\""}));
}

struct PiecesCase {
  const char* name;
  Text text;
  std::vector<std::size_t> pieceLengths;  // in characters
};

TEST(CutIntoPiecesTest, PiecesHoldAtMost255BytesAndNeverSplitACharacter) {
  const PiecesCase cases[] = {
      {"empty", U"", {0}},
      {"255 single-byte", Text(255, U'a'), {255}},
      {"256 single-byte", Text(256, U'a'), {255, 1}},
      {"127 full-width and 1 single-byte", Text(127, U'漢') + U"a", {128}},
      {"128 full-width", Text(128, U'漢'), {127, 1}},
      {"300 full-width", Text(300, U'漢'), {127, 127, 46}},
      {"a single-byte first shifts the cut", U"a" + Text(128, U'漢'), {128, 1}},
      {"half-width katakana count one byte", Text(300, U'ｱ'), {255, 45}},
  };
  for (const PiecesCase& c : cases) {
    std::vector<Text> pieces = CutIntoPieces(c.text, kX12PieceBytes);
    std::vector<std::size_t> lengths;
    Text joined;
    for (const Text& piece : pieces) {
      lengths.push_back(piece.size());
      joined += piece;
      EXPECT_LE(ToShiftJis(piece).size(), kX12PieceBytes) << c.name;
    }
    EXPECT_EQ(lengths, c.pieceLengths) << c.name;
    EXPECT_EQ(joined, c.text) << c.name;
  }
}

}  // namespace
}  // namespace tq
