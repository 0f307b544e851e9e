// Section F: interval rows to L204.txt.
#include "sections/section_f.h"

#include <cmath>

#include "common/errors.h"
#include "common/values.h"
#include "platform/output_file.h"
#include "sections/field_line.h"
#include "sections/interval_header.h"
#include "sections/row_line.h"
#include "sections/section_d_x100a.h"

namespace tq {
namespace {

// Values of an F table row.
constexpr int kFStart = 1;
constexpr int kFEnd = 2;
constexpr int kFValue = 3;
constexpr int kFValues = 3;

enum class L204Field { kRow = 1, kLength = 2, kStart = 3, kFlaggedValue = 4, kValue = 6, kCount = 15 };

// The end depth must be a number, and lie near enough the start for their difference to be one,
// even when an empty start or end leaves the length field empty.
Text LengthField(TextView start, TextView end) {
  double length = ValueOf(end) - ValueOf(start);
  if (!std::isfinite(length)) {
    throw ConversionError(U"開始深度「" + Trim(start) + U"」と終了深度「" + Trim(end) +
                          U"」の差が大きすぎて区間の長さを求められません。");
  }
  if (TrimmedView(start).empty() || TrimmedView(end).empty()) return {};
  return DepthText(length);
}

std::int16_t ColumnFlagOf(const IntervalHeader& header) {
  if (!header.extra) return 0;
  return AtLine(header.extraLine, [&header] { return ValueOf(*header.extra) == 8 ? 1 : 0; });
}

Text L204Line(const SectionRow& row, std::int16_t columnFlag) {
  FieldLine<L204Field> line;
  line[L204Field::kRow] = RowPositionText(row.Number());
  TextView start = row[kFStart];
  line[L204Field::kStart] = DepthTextOf(start);
  line[L204Field::kLength] = LengthField(start, row[kFEnd]);
  line[columnFlag == 1 ? L204Field::kFlaggedValue : L204Field::kValue] = ExponentNumberText(row[kFValue]);
  return line.Join();
}

}  // namespace

void ReadSectionF(std::int16_t& count, SectionTable& table, SourceFile& file, std::int16_t& columnFlag) {
  IntervalHeader header = ReadIntervalHeader(file);
  count = header.count;
  columnFlag = ColumnFlagOf(header);
  table = SectionTable(kFValues, count);
  ReadValueRows(file, table, count, kFValues);
}

void WriteL204File(BoringFiles& files, const SectionTable& table, std::int16_t count, std::int16_t columnFlag) {
  OutputFile out(files, U"L204.txt");
  for (int i = 1; i <= count; ++i) {
    out.WriteLine(AtRowLine(table, i, [columnFlag](const SectionRow& row) { return L204Line(row, columnFlag); }));
  }
  out.Commit();
}

}  // namespace tq
