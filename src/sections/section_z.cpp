// Section Z: remark rows to X12.txt.
#include "sections/section_z.h"

#include "common/values.h"
#include "platform/output_file.h"
#include "sections/field_line.h"
#include "sections/row_line.h"

namespace tq {
namespace {

// Values of a Z table row.
constexpr int kZDepth = 1;
constexpr int kZText = 2;
constexpr int kZValues = 2;

const Text kFirstDepth = U"   0.00";
const Text kContinuedDepth = U"       ";

enum class X12Field { kLine = 1, kDepth = 2, kText = 3, kCount = 3 };

// The text is the one field of any written file that goes in double quotes.
Text X12Line(long lineCounter, const Text& depth, const Text& piece) {
  FieldLine<X12Field> line;
  line[X12Field::kLine] = RowPositionText(lineCounter);
  line[X12Field::kDepth] = depth;
  line[X12Field::kText] = U"\"" + piece + U"\"";
  return line.Join();
}

// The lines of one row's text, numbered on from lineCounter; the first carries depth, the depth
// of the row before. Returns the row's own depth text, where the next row's text begins.
Text WriteZRow(const SectionRow& row, Text depth, long& lineCounter, OutputFile& out) {
  for (const Text& piece : CutIntoPieces(row[kZText], kX12PieceBytes)) {
    out.WriteLine(X12Line(++lineCounter, depth, piece));
    depth = kContinuedDepth;
  }
  return DepthTextOf(row[kZDepth]);
}

std::size_t ByteLength(char32_t c) { return c < 0x80 ? 1 : ToShiftJis(TextView(&c, 1)).size(); }

}  // namespace

void ReadSectionZ(std::int16_t count, SectionTable& table, SourceFile& file) {
  table = SectionTable(kZValues, count);
  ReadValueRows(file, table, count, kZValues);
}

std::vector<Text> CutIntoPieces(TextView text, std::size_t maxBytes) {
  std::vector<Text> pieces;
  Text piece;
  std::size_t bytes = 0;
  for (char32_t c : text) {
    std::size_t length = ByteLength(c);
    if (bytes + length > maxBytes && !piece.empty()) {
      pieces.push_back(std::move(piece));
      piece.clear();
      bytes = 0;
    }
    piece += c;
    bytes += length;
  }
  if (!piece.empty() || pieces.empty()) pieces.push_back(std::move(piece));
  return pieces;
}

void WriteX12File(BoringFiles& files, const SectionTable& table, std::int16_t count) {
  OutputFile out(files, U"X12.txt");
  long lineCounter = 0;
  // Each text begins where the row before it was recorded; the first one at the top.
  Text depth = kFirstDepth;
  for (int i = 1; i <= count; ++i) {
    depth = AtRowLine(table, i, [&](const SectionRow& row) { return WriteZRow(row, depth, lineCounter, out); });
  }
  out.Commit();
}

}  // namespace tq
