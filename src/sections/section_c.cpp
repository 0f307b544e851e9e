// Section C: standard penetration test rows to X5.txt.
#include "sections/section_c.h"

#include "common/values.h"
#include "platform/output_file.h"
#include "sections/field_line.h"
#include "sections/row_line.h"

namespace tq {
namespace {

// Values of a C table row.
constexpr int kCDepth = 1;
constexpr int kCBlows = 2;
constexpr int kCPenetration = 3;
constexpr int kCValues = 3;

enum class X5Field { kRow = 1, kDepth = 2, kBlows = 3, kTestLength = 5, kCount = 11 };

// A test of fewer than 50 blows is written with the full test length 30; a penetration
// marked "*" is left empty.
Text PenetrationField(TextView blows, TextView penetration) {
  if (StartsWith(penetration, U"*")) return {};
  if (ValueOf(blows) < 50) return U"30";
  return NumberTextOf(penetration);
}

Text X5Line(const SectionRow& row) {
  FieldLine<X5Field> line;
  line[X5Field::kRow] = RowPositionText(row.Number());
  line[X5Field::kDepth] = DepthTextOf(row[kCDepth]);
  TextView blows = row[kCBlows];
  line[X5Field::kBlows] = ValueCell(blows);
  line[X5Field::kTestLength] = PenetrationField(blows, row[kCPenetration]);
  return line.Join();
}

}  // namespace

void ReadSectionC(std::int16_t& count, SectionTable& table, SourceFile& file) {
  file.SkipFields(2);
  count = ReadSectionCount(file);
  table = SectionTable(kCValues, count);
  ReadValueRows(file, table, count, kCValues);
}

void WriteX5File(BoringFiles& files, const SectionTable& table, std::int16_t count) {
  OutputFile out(files, U"X5.txt");
  for (int i = 1; i <= count; ++i) out.WriteLine(AtRowLine(table, i, X5Line));
  out.Commit();
}

}  // namespace tq
