// Sections B and X: reading the layers, and X1.txt with the pattern code of each layer.
#include "sections/layers.h"

#include <vector>

#include "common/values.h"
#include "patterns/soil_names.h"
#include "patterns/soil_patterns.h"
#include "platform/output_file.h"
#include "sections/field_line.h"
#include "sections/row_line.h"

namespace tq {
namespace {

constexpr int kUnknownLayerCode = 9999;

enum class X1Field { kRow = 1, kDepth = 2, kPatternCode = 3, kSoilName = 4, kCount = 4 };

// A later layer without a pattern (a blank name) is marked as unknown and left unnamed.
Text X1Line(std::size_t i, const LayerGroup& layer, const Text& code) {
  FieldLine<X1Field> line;
  line[X1Field::kRow] = RowPositionText(static_cast<long>(i));
  line[X1Field::kDepth] = layer.depthText;
  line[X1Field::kPatternCode] = code;
  line[X1Field::kSoilName] = layer.value;
  if (i != 1 && ValueOf(code) == 0) {
    line[X1Field::kPatternCode] = DecimalText(kUnknownLayerCode);
    line[X1Field::kSoilName].clear();
  }
  return line.Join();
}

}  // namespace

std::vector<LayerGroup> GroupConsecutiveRows(const SectionTable& table, std::int16_t count, int value) {
  std::vector<LayerGroup> groups(1);
  TextView previous;
  for (int r = 1; r <= count; ++r) {
    TextView trimmed = TrimmedView(table.At(value, r));
    if (trimmed != previous) {
      groups.push_back({Text(), TextView(table.At(value, r))});
      previous = trimmed;
    }
    groups.back().depthText = AtRowLine(table, r, [](const SectionRow& row) { return DepthTextOf(row[kLayerDepth]); });
  }
  return groups;
}

void ReadSectionB(std::int16_t& count, SectionTable& table, SourceFile& file) {
  file.SkipFields(2);
  count = ReadSectionCount(file);
  table = SectionTable(kLayerValues, count);
  ReadValueRows(file, table, count, kLayerValues);
}

void ReadSectionX(std::int16_t count, SectionTable& table, SourceFile& file) {
  table = SectionTable(kLayerValues, count);
  for (int i = 1; i <= count; ++i) {
    ReadRowStart(file, table, i);
    ReadCell(file, table, kLayerDepth, i);
    ReadCell(file, table, kLayerSoilName, i);
    // Checked before any writer runs, so that a name the soil pattern tables cannot hold stops
    // the file before a table learns an earlier name of it.
    CheckSoilName(table.At(kLayerSoilName, i), table.Line(kLayerSoilName, i));
    ReadCell(file, table, kLayerDescription, i);
    table.SetRowEndsLine(i, file.LastFieldEndedLine());
  }
}

void WriteX1File(BoringFiles& files, PatternData& patterns, const SectionTable& table, std::int16_t count) {
  std::vector<LayerGroup> layers = GroupConsecutiveRows(table, count, kLayerSoilName);
  OutputFile out(files, U"X1.txt");
  SoilPatternLookup soils(patterns);
  for (std::size_t i = 1; i < layers.size(); ++i) {
    Text code;
    soils.Map(Text(layers[i].value), code);
    out.WriteLine(X1Line(i, layers[i], code));
  }
  soils.Finish();
  out.Commit();
}

}  // namespace tq
