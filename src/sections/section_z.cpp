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
void WriteX12Line(long lineCounter, TextView depth, TextView piece, OutputFile& out) {
  Text position = RowPositionText(lineCounter);
  FieldLine<X12Field, TextView> line;
  line[X12Field::kLine] = position;
  line[X12Field::kDepth] = depth;
  line[X12Field::kText] = piece;
  line.WriteTo(out, X12Field::kText);
}

// The pieces of CutIntoPieces, as views of the text.
std::vector<TextView> CutIntoViews(TextView text, std::size_t maxBytes) {
  std::vector<TextView> pieces;
  std::size_t start = 0;
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::size_t length = ShiftJisLength(text[i]);
    if (bytes + length > maxBytes && i > start) {
      pieces.push_back(text.substr(start, i - start));
      start = i;
      bytes = 0;
    }
    bytes += length;
  }
  if (start < text.size() || pieces.empty()) pieces.push_back(text.substr(start));
  return pieces;
}

// The lines of one row's text, numbered on from lineCounter; the first carries depth, the depth
// of the row before. Returns the row's own depth text, where the next row's text begins.
Text WriteZRow(const SectionRow& row, const Text& depth, long& lineCounter, OutputFile& out) {
  TextView lineDepth = depth;
  for (TextView piece : CutIntoViews(row[kZText], kX12PieceBytes)) {
    WriteX12Line(++lineCounter, lineDepth, piece, out);
    lineDepth = kContinuedDepth;
  }
  return DepthTextOf(row[kZDepth]);
}

}  // namespace

void ReadSectionZ(std::int16_t count, SectionTable& table, SourceFile& file) {
  table = SectionTable(kZValues, count);
  ReadValueRows(file, table, count, kZValues);
}

std::vector<Text> CutIntoPieces(TextView text, std::size_t maxBytes) {
  std::vector<TextView> views = CutIntoViews(text, maxBytes);
  return std::vector<Text>(views.begin(), views.end());
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
