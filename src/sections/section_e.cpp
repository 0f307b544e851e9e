// Section E: depth rows of three values to L209.txt.
#include "sections/section_e.h"

#include "common/values.h"
#include "platform/output_file.h"
#include "sections/field_line.h"
#include "sections/interval_header.h"
#include "sections/row_line.h"

namespace tq {
namespace {

// Values of an E table row.
constexpr int kEDepth = 1;
constexpr int kEFirstValue = 2;
constexpr int kESecondValue = 3;
constexpr int kEThirdValue = 4;
constexpr int kEValues = 4;

enum class L209Field { kRow = 1, kDepth = 3, kThirdValue = 5, kFirstValue = 7, kSecondValue = 8, kCount = 15 };

// The cells are taken in the order they were read, so that of two values no line could hold the
// one read first stops the file.
Text L209Line(const SectionRow& row) {
  FieldLine<L209Field> line;
  line[L209Field::kRow] = RowPositionText(row.Number());
  line[L209Field::kDepth] = DepthTextOf(row[kEDepth]);
  line[L209Field::kFirstValue] = ValueCell(row[kEFirstValue]);
  line[L209Field::kSecondValue] = ValueCell(row[kESecondValue]);
  line[L209Field::kThirdValue] = ValueCell(row[kEThirdValue]);
  return line.Join();
}

}  // namespace

void ReadSectionE(std::int16_t& count, SectionTable& table, SourceFile& file) {
  count = ReadIntervalHeader(file).count;
  table = SectionTable(kEValues, count);
  ReadValueRows(file, table, count, kEValues);
}

void WriteL209File(BoringFiles& files, const SectionTable& table, std::int16_t count) {
  OutputFile out(files, U"L209.txt");
  for (int i = 1; i <= count; ++i) out.WriteLine(AtRowLine(table, i, L209Line));
  out.Commit();
}

}  // namespace tq
