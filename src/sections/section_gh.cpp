// Sections G and H: interval rows merged by start depth into L201.txt.
#include "sections/section_gh.h"

#include <vector>

#include "common/errors.h"
#include "common/values.h"
#include "platform/output_file.h"
#include "sections/interval_header.h"
#include "sections/section_values.h"

namespace tq {
namespace {

struct MergedRow {
  Text start;
  Text end;
  Text gValue;
  Text hValue;
};

void ReadIntervalSection(std::int16_t& count, SectionTable& table, SourceFile& file) {
  count = ReadIntervalHeader(file).count;
  table = SectionTable(3, count);
  for (int i = 1; i <= count; ++i) {
    file.SkipFields(3);
    table.At(1, i) = ReadSingleField(file);
    table.At(2, i) = ReadValueField(file);
    table.At(3, i) = ReadValueField(file);
  }
}

// A used-up list is known by its index alone, so no start depth, however deep, is mistaken for
// the end of a list.
std::vector<MergedRow> Merge(const SectionTable& g, int gCount, const SectionTable& h, int hCount) {
  std::vector<MergedRow> rows;
  int gi = 1;
  int hi = 1;
  while (gi <= gCount || hi <= hCount) {
    bool takeG = hi > hCount;
    bool takeH = gi > gCount;
    if (!takeG && !takeH) {
      float gKey = SingleValueOf(g.At(1, gi));
      float hKey = SingleValueOf(h.At(1, hi));
      takeG = gKey <= hKey;
      takeH = hKey <= gKey;
    }
    MergedRow row;
    if (takeG) {
      row.start = g.At(1, gi);
      row.end = g.At(2, gi);
      row.gValue = g.At(3, gi++);
    }
    if (takeH) {
      // Joined to a G row, the H row gives only its value.
      if (!takeG) {
        row.start = h.At(1, hi);
        row.end = h.At(2, hi);
      }
      row.hValue = h.At(3, hi++);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

// The merged rows are counted in 16 bits, as both section counts are.
void CheckMergedCount(std::int16_t gCount, std::int16_t hCount) {
  if (int{gCount} + int{hCount} <= 32767) return;
  throw ConversionError(U"区間データ G の件数 " + DecimalText(gCount) + U" と H の件数 " + DecimalText(hCount) +
                        U" の合計が 32767 を超えています。G と H の件数は合わせて 32767 までにしてください。");
}

}  // namespace

void ReadSectionG(std::int16_t& count, SectionTable& table, SourceFile& file) {
  ReadIntervalSection(count, table, file);
}

void ReadSectionH(std::int16_t& count, SectionTable& table, SourceFile& file) {
  ReadIntervalSection(count, table, file);
}

void WriteL201File(BoringFiles& files, const SectionTable& gTable, std::int16_t gCount, const SectionTable& hTable,
                   std::int16_t hCount) {
  CheckMergedCount(gCount, hCount);
  std::vector<MergedRow> rows = Merge(gTable, gCount, hTable, hCount);
  OutputFile out(files, U"L201.txt");
  long j = 0;
  for (const MergedRow& row : rows) {
    Text length = NumberText(ValueOf(row.end) - ValueOf(row.start));
    out.WriteLine(RowPositionText(++j) + U"," + DepthTextOf(length) + U"," + DepthTextOf(row.start) + U",,," +
                  ValueCell(row.gValue) + U",,,," + ValueCell(row.hValue) + U",,,,,");
  }
  out.Commit();
}

}  // namespace tq
