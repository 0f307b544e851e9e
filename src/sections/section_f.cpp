// Section F: interval rows to L204.txt.
#include "sections/section_f.h"

#include <cmath>

#include "common/errors.h"
#include "common/values.h"
#include "platform/output_file.h"
#include "sections/interval_header.h"
#include "sections/section_d_x100a.h"
#include "sections/section_values.h"

namespace tq {
namespace {

Text LengthField(const Text& start, const Text& end) {
  if (Trim(start).empty() || Trim(end).empty()) return {};
  return DepthText(ValueOf(end) - ValueOf(start));
}

// Two depths that are each a number may still lie too far apart for their difference to be one.
void CheckLength(const Text& start, const Text& end) {
  if (std::isfinite(ValueOf(end) - ValueOf(start))) return;
  throw ConversionError(U"開始深度「" + Trim(start) + U"」と終了深度「" + Trim(end) +
                        U"」の差が大きすぎて区間の長さを求められません。");
}

std::int16_t ColumnFlagOf(const IntervalHeader& header) {
  if (!header.extra) return 0;
  try {
    return ValueOf(*header.extra) == 8 ? 1 : 0;
  } catch (const ConversionError& error) {
    throw ConversionError(error.Cause(), header.extraLine);
  }
}

}  // namespace

void ReadSectionF(std::int16_t& count, SectionTable& table, SourceFile& file, std::int16_t& columnFlag) {
  IntervalHeader header = ReadIntervalHeader(file);
  count = header.count;
  columnFlag = ColumnFlagOf(header);
  table = SectionTable(3, count);
  for (int i = 1; i <= count; ++i) {
    file.SkipFields(3);
    table.At(1, i) = ReadValueField(file);
    const Text& start = table.At(1, i);
    table.At(2, i) = ReadCheckedField(file, [&start](const Text& end) { CheckLength(start, end); });
    table.At(3, i) = ReadCheckedField(file, [](const Text& f) { (void)ExponentNumberText(f); });
  }
}

void WriteL204File(BoringFiles& files, const SectionTable& table, std::int16_t count, std::int16_t columnFlag) {
  OutputFile out(files, U"L204.txt");
  for (int i = 1; i <= count; ++i) {
    Text value = ExponentNumberText(table.At(3, i));
    Text field4 = columnFlag == 1 ? value : Text();
    Text field6 = columnFlag == 1 ? Text() : value;
    out.WriteLine(RowPositionText(i) + U"," + LengthField(table.At(1, i), table.At(2, i)) + U"," +
                  DepthTextOf(table.At(1, i)) + U"," + field4 + U",," + field6 + U",,,,,,,,,");
  }
  out.Commit();
}

}  // namespace tq
