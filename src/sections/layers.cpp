// Sections B and X: reading the layers, and X1.txt with the pattern code of each layer.
#include "sections/layers.h"

#include <vector>

#include "common/values.h"
#include "patterns/soil_names.h"
#include "patterns/soil_patterns.h"
#include "platform/output_file.h"
#include "sections/section_values.h"

namespace tq {
namespace {

constexpr int kUnknownLayerCode = 9999;

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
    groups.back().depth = table.At(kLayerDepth, r);
  }
  return groups;
}

void ReadSectionB(std::int16_t& count, SectionTable& table, SourceFile& file) {
  file.SkipFields(2);
  count = ReadSectionCount(file);
  table = SectionTable(kLayerValues, count);
  for (int i = 1; i <= count; ++i) {
    file.SkipFields(3);
    for (int value = 1; value <= kLayerValues; ++value) table.At(value, i) = file.ReadField();
  }
}

void ReadSectionX(std::int16_t count, SectionTable& table, SourceFile& file) {
  table = SectionTable(kLayerValues, count);
  for (int i = 1; i <= count; ++i) {
    file.SkipFields(3);
    // Both writers take the depth's value; a depth they cannot convert stops at its line here.
    table.At(kLayerDepth, i) = ReadValueField(file);
    table.At(kLayerSoilName, i) = file.ReadField();
    // A name the soil pattern tables cannot hold stops here, where its line is known.
    CheckSoilName(table.At(kLayerSoilName, i), file.LastLine());
    table.At(kLayerDescription, i) = file.ReadField();
  }
}

void WriteX1File(BoringFiles& files, PatternData& patterns, const SectionTable& table, std::int16_t count) {
  std::vector<LayerGroup> layers = GroupConsecutiveRows(table, count, kLayerSoilName);
  OutputFile out(files, U"X1.txt");
  for (std::size_t i = 1; i < layers.size(); ++i) {
    Text code;
    Text name(layers[i].value);
    MapSoilNameToPattern(patterns, name, code);
    // A later layer without a pattern (a blank name) is marked as unknown and left unnamed.
    if (i != 1 && ValueOf(code) == 0) {
      code = DecimalText(kUnknownLayerCode);
      name.clear();
    }
    out.WriteLine(RowPositionText(static_cast<long>(i)) + U"," + DepthTextOf(layers[i].depth) + U"," + code + U"," +
                  name);
  }
  out.Commit();
}

}  // namespace tq
