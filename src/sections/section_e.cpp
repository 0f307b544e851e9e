// Section E: depth rows of three values to L209.txt.
#include "sections/section_e.h"

#include "common/values.h"
#include "platform/output_file.h"
#include "sections/interval_header.h"
#include "sections/section_values.h"

namespace tq {

void ReadSectionE(std::int16_t& count, SectionTable& table, SourceFile& file) {
  count = ReadIntervalHeader(file).count;
  table = SectionTable(4, count);
  for (int i = 1; i <= count; ++i) {
    file.SkipFields(3);
    for (int value = 1; value <= 4; ++value) table.At(value, i) = ReadValueField(file);
  }
}

void WriteL209File(BoringFiles& files, const SectionTable& table, std::int16_t count) {
  OutputFile out(files, U"L209.txt");
  for (int i = 1; i <= count; ++i) {
    out.WriteLine(RowPositionText(i) + U",," + DepthTextOf(table.At(1, i)) + U",," + ValueCell(table.At(4, i)) + U",," +
                  ValueCell(table.At(2, i)) + U"," + ValueCell(table.At(3, i)) + U",,,,,,,");
  }
  out.Commit();
}

}  // namespace tq
