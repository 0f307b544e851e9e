// Section D: laboratory test rows, and X100.txt with the layer of each sample.
#include "sections/section_d_x100.h"

#include <vector>

#include "common/errors.h"
#include "common/values.h"
#include "platform/output_file.h"
#include "sections/field_line.h"
#include "sections/row_line.h"
#include "sections/section_d_x100a.h"
#include "sections/section_values.h"

namespace tq {
namespace {

constexpr std::int16_t kX1FieldsPerRecord = 4;

enum class X100Field {
  kRow = 1,
  kUpperDepth = 2,
  kLowerDepth = 3,
  kPatternCode = 8,
  kSoilName = 9,
  kValue4 = 14,
  kValue5 = 15,
  kValue6 = 16,
  kValue7 = 17,
  kValue12 = 21,
  kValue13 = 22,
  kValue8 = 24,
  kValue10 = 25,
  kValue9 = 26,
  kValue11 = 27,
  kValue14 = 29,
  kStrengthCondition = 30,
  kValue17 = 31,
  kValues18And19 = 32,
  kCount = 43,
};

// The fields that hold the value cell of one D value, in the order of the values.
struct ValueCellField {
  X100Field field;
  int value;
};
constexpr ValueCellField kX100ValueCells[] = {
    {X100Field::kValue4, kDValue4},   {X100Field::kValue5, kDValue5},   {X100Field::kValue6, kDValue6},
    {X100Field::kValue7, kDValue7},   {X100Field::kValue8, kDValue8},   {X100Field::kValue9, kDValue9},
    {X100Field::kValue10, kDValue10}, {X100Field::kValue11, kDValue11}, {X100Field::kValue12, kDValue12},
    {X100Field::kValue13, kDValue13}, {X100Field::kValue14, kDValue14}, {X100Field::kValue17, kDValue17},
};

struct Layer {
  float depth = 0;  // where the layer ends
  Text code;
  Text name;
};

std::string ReadWholeFile(const BoringFiles& files, const Text& name) {
  std::optional<std::string> bytes = files.Read(name);
  if (!bytes) throw ConversionError(U"ファイル「" + files.PathOf(name) + U"」を読み込めません。");
  return std::move(*bytes);
}

// The layers of X1.txt in file order; none when the file does not exist.
std::vector<Layer> ReadLayers(const BoringFiles& files, const Text& name) {
  std::int16_t n = 0;
  CountFileRecords(files, name, n, kX1FieldsPerRecord);
  std::vector<Layer> layers;
  if (n <= 0) return layers;
  SourceFile file(ReadWholeFile(files, name));
  for (int k = 1; k <= n; ++k) {
    Layer layer;
    file.SkipFields(1);
    Text depth = file.ReadField();
    try {
      layer.depth = SingleValueOf(depth);
    } catch (const ConversionError& error) {
      throw ConversionError(U"層のファイル「" + files.PathOf(name) + U"」の " + DecimalText(file.LastLine()) + U" 行目の深さを読めません。" +
                            error.Cause());
    }
    layer.code = file.ReadField();
    layer.name = file.ReadField();
    layers.push_back(std::move(layer));
  }
  return layers;
}

// The first layer whose end lies strictly below the sample's upper depth.
const Layer* LayerOf(const std::vector<Layer>& layers, TextView upperDepth) {
  float d = SingleValueOf(upperDepth);
  for (const Layer& layer : layers) {
    if (d < layer.depth) return &layer;
  }
  return nullptr;
}

// Value 19 is taken as a number even when an empty value 18 leaves field 32 empty.
Text SixtiethDecimals(TextView value19) { return Mid(NumberText(ValueOf(value19) / 60), 3, 3); }

Text JoinField32(const Text& whole, const Text& decimals) {
  if (whole.empty() || decimals.empty()) return whole;
  return whole + U"." + decimals;
}

Text X100Line(const SectionRow& row, const std::vector<Layer>& layers) {
  FieldLine<X100Field> line;
  line[X100Field::kRow] = RowPositionText(row.Number());
  if (const Layer* layer = LayerOf(layers, row[kDUpperDepth])) {
    line[X100Field::kPatternCode] = layer->code;
    line[X100Field::kSoilName] = layer->name;
  }
  line[X100Field::kUpperDepth] = DepthTextOf(row[kDUpperDepth]);
  line[X100Field::kLowerDepth] = DepthTextOf(row[kDLowerDepth]);
  for (const ValueCellField& cell : kX100ValueCells) line[cell.field] = ValueCell(row[cell.value]);
  line[X100Field::kStrengthCondition] = StrengthConditionCode(row[kDStrengthCondition]);
  Text whole = ValueCell(row[kDWholeOfField32]);
  line[X100Field::kValues18And19] = JoinField32(whole, SixtiethDecimals(row[kDSixtiethsOfField32]));
  return line.Join();
}

}  // namespace

void ReadSectionD(std::int16_t& count, SectionTable& table, SourceFile& file) {
  file.SkipFields(2);
  count = ReadSectionCount(file);
  table = SectionTable(kSectionDValues + 1, count);
  ReadValueRows(file, table, count, kSectionDValues);
}

void CheckSectionDRows(const SectionTable& table, std::int16_t count) {
  for (int i = 1; i <= count; ++i) {
    AtRowLine(table, i, [](const SectionRow& row) {
      (void)X100Line(row, {});
      (void)X100ALine(row);
    });
  }
}

void CountFileRecords(const BoringFiles& files, const Text& name, std::int16_t& count, std::int16_t fieldsPerRecord) {
  if (!files.IsPlainFile(name)) return;
  SourceFile file(ReadWholeFile(files, name));
  int records = 0;
  // A record cut short by the end of the file is not counted, so that reading the records
  // counted never runs past the end.
  try {
    while (!file.AtEnd()) {
      file.SkipFields(fieldsPerRecord);
      ++records;
    }
  } catch (const ConversionError&) {
  }
  if (records > 32767) throw ConversionError(U"ファイル「" + files.PathOf(name) + U"」の行が多すぎます。");
  count = static_cast<std::int16_t>(records);
}

Text StrengthConditionCode(TextView field) {
  if (TrimmedView(field).empty()) return {};
  double code = ValueOf(field);
  if (code == 1) return U"ＵＵ";
  if (code == 2) return U"ＣＵ";
  if (code == 3) return U"ＵＣ";
  if (code == 4) return U"ＣＤ";
  return {};
}

Text CombinedField32(TextView value18, TextView value19) {
  return JoinField32(ValueCell(value18), SixtiethDecimals(value19));
}

void WriteX100File(BoringFiles& files, const SectionTable& table, std::int16_t count) {
  std::vector<Layer> layers = ReadLayers(files, U"X1.txt");
  OutputFile out(files, U"X100.txt");
  for (int i = 1; i <= count; ++i) {
    out.WriteLine(AtRowLine(table, i, [&layers](const SectionRow& row) { return X100Line(row, layers); }));
  }
  out.Commit();
}

}  // namespace tq
