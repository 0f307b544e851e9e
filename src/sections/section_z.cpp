// Section Z: remark rows to X12.txt.
#include "sections/section_z.h"

#include "common/values.h"
#include "platform/output_file.h"
#include "sections/section_values.h"

namespace tq {
namespace {

const Text kFirstDepth = U"   0.00";
const Text kContinuedDepth = U"       ";

std::size_t ByteLength(char32_t c) { return ToShiftJis(TextView(&c, 1)).size(); }

}  // namespace

void ReadSectionZ(std::int16_t count, SectionTable& table, SourceFile& file) {
  table = SectionTable(2, count);
  for (int i = 1; i <= count; ++i) {
    file.SkipFields(3);
    table.At(1, i) = ReadValueField(file);
    table.At(2, i) = file.ReadField();
  }
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
  for (int i = 1; i <= count; ++i) {
    // Each text begins where the row before it was recorded; the first one at the top.
    Text depth = i == 1 ? kFirstDepth : DepthTextOf(table.At(1, i - 1));
    for (const Text& piece : CutIntoPieces(table.At(2, i), kX12PieceBytes)) {
      ++lineCounter;
      out.WriteLine(RowPositionText(lineCounter) + U"," + depth + U",\"" + piece + U"\"");
      depth = kContinuedDepth;
    }
  }
  out.Commit();
}

}  // namespace tq
