// Section C: standard penetration test rows to X5.txt.
#include "sections/section_c.h"

#include "common/values.h"
#include "platform/output_file.h"
#include "sections/section_values.h"

namespace tq {
namespace {

// A test of fewer than 50 blows is written with the full test length 30; a penetration
// marked "*" is left empty.
Text PenetrationField(const Text& blows, const Text& penetration) {
  if (StartsWith(penetration, U"*")) return {};
  if (ValueOf(blows) < 50) return U"30";
  return NumberTextOf(penetration);
}

}  // namespace

void ReadSectionC(std::int16_t& count, SectionTable& table, SourceFile& file) {
  file.SkipFields(2);
  count = ReadSectionCount(file);
  table = SectionTable(3, count);
  for (int i = 1; i <= count; ++i) {
    file.SkipFields(3);
    // Each value is converted as X5.txt will convert it, so that a number beyond double
    // precision stops the source file at its line.
    table.At(1, i) = ReadValueField(file);
    const Text& blows = table.At(2, i) = ReadValueField(file);
    table.At(3, i) = ReadCheckedField(file, [&blows](const Text& field) { (void)PenetrationField(blows, field); });
  }
}

void WriteX5File(BoringFiles& files, const SectionTable& table, std::int16_t count) {
  OutputFile out(files, U"X5.txt");
  for (int i = 1; i <= count; ++i) {
    const Text& blows = table.At(2, i);
    out.WriteLine(RowPositionText(i) + U"," + DepthTextOf(table.At(1, i)) + U"," + ValueCell(blows) + U",," +
                  PenetrationField(blows, table.At(3, i)) + U",,,,,,");
  }
  out.Commit();
}

}  // namespace tq
