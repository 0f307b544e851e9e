// Sections G and H: interval rows merged by start depth into L201.txt.
#include "sections/section_gh.h"

#include <vector>

#include "common/errors.h"
#include "common/values.h"
#include "platform/output_file.h"
#include "sections/field_line.h"
#include "sections/interval_header.h"
#include "sections/row_line.h"
#include "sections/section_values.h"

namespace tq {
namespace {

// Values of a G or H table row.
constexpr int kIntervalStart = 1;
constexpr int kIntervalEnd = 2;
constexpr int kIntervalValue = 3;
constexpr int kIntervalValues = 3;

enum class L201Field { kRow = 1, kLength = 2, kStart = 3, kGValue = 6, kHValue = 10, kCount = 15 };

// What L201.txt takes of one G or H row.
struct IntervalRow {
  float key = 0;  // the start depth in single precision, by which the lists are merged
  Text start;
  double length = 0;
  Text valueCell;
};

struct MergedRow {
  const IntervalRow* interval = nullptr;  // gives the start and the length
  Text gValueCell;
  Text hValueCell;
};

IntervalRow IntervalRowOf(const SectionRow& row) {
  IntervalRow interval;
  interval.start = row[kIntervalStart];
  interval.key = SingleValueOf(interval.start);
  interval.length = ValueOf(row[kIntervalEnd]) - ValueOf(interval.start);
  interval.valueCell = ValueCell(row[kIntervalValue]);
  return interval;
}

std::vector<IntervalRow> IntervalRows(const SectionTable& table, std::int16_t count) {
  std::vector<IntervalRow> rows;
  for (int i = 1; i <= count; ++i) rows.push_back(AtRowLine(table, i, IntervalRowOf));
  return rows;
}

// A used-up list is known by its index alone, so no start depth, however deep, is mistaken for
// the end of a list.
std::vector<MergedRow> Merge(const std::vector<IntervalRow>& g, const std::vector<IntervalRow>& h) {
  std::vector<MergedRow> rows;
  std::size_t gi = 0;
  std::size_t hi = 0;
  while (gi < g.size() || hi < h.size()) {
    bool takeG = hi >= h.size();
    bool takeH = gi >= g.size();
    if (!takeG && !takeH) {
      takeG = g[gi].key <= h[hi].key;
      takeH = h[hi].key <= g[gi].key;
    }
    MergedRow row;
    // Joined to a G row, the H row gives only its value.
    if (takeH) {
      row.interval = &h[hi];
      row.hValueCell = h[hi++].valueCell;
    }
    if (takeG) {
      row.interval = &g[gi];
      row.gValueCell = g[gi++].valueCell;
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

Text L201Line(long j, const MergedRow& row) {
  FieldLine<L201Field> line;
  line[L201Field::kRow] = RowPositionText(j);
  line[L201Field::kLength] = DepthTextOf(NumberText(row.interval->length));
  line[L201Field::kStart] = DepthTextOf(row.interval->start);
  line[L201Field::kGValue] = row.gValueCell;
  line[L201Field::kHValue] = row.hValueCell;
  return line.Join();
}

void ReadIntervalSection(std::int16_t& count, SectionTable& table, SourceFile& file) {
  count = ReadIntervalHeader(file).count;
  table = SectionTable(kIntervalValues, count);
  ReadValueRows(file, table, count, kIntervalValues);
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

void CheckL201Rows(const SectionTable& table, std::int16_t count) { (void)IntervalRows(table, count); }

void WriteL201File(BoringFiles& files, const SectionTable& gTable, std::int16_t gCount, const SectionTable& hTable,
                   std::int16_t hCount) {
  CheckMergedCount(gCount, hCount);
  std::vector<IntervalRow> g = IntervalRows(gTable, gCount);
  std::vector<IntervalRow> h = IntervalRows(hTable, hCount);
  std::vector<MergedRow> rows = Merge(g, h);
  OutputFile out(files, U"L201.txt");
  long j = 0;
  for (const MergedRow& row : rows) out.WriteLine(L201Line(++j, row));
  out.Commit();
}

}  // namespace tq
