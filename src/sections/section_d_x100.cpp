// Section D: laboratory test rows, and X100.txt with the layer of each sample.
#include "sections/section_d_x100.h"

#include <array>
#include <vector>

#include "common/errors.h"
#include "common/values.h"
#include "platform/output_file.h"
#include "sections/section_d_x100a.h"
#include "sections/section_values.h"

namespace tq {
namespace {

constexpr int kX100Fields = 43;
constexpr std::int16_t kX1FieldsPerRecord = 4;

struct Layer {
  float depth = 0;  // where the layer ends
  Text code;
  Text name;
};

// Value 2 picks the layer in single precision; values 22 and 23 are written as exponent
// number texts; the writers take the value of every other one.
Text ReadDValue(SourceFile& file, int value) {
  if (value == 2) return ReadSingleField(file);
  if (value == 22 || value == 23) return ReadCheckedField(file, [](const Text& f) { (void)ExponentNumberText(f); });
  return ReadValueField(file);
}

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
const Layer* LayerOf(const std::vector<Layer>& layers, const Text& upperDepth) {
  float d = SingleValueOf(upperDepth);
  for (const Layer& layer : layers) {
    if (d < layer.depth) return &layer;
  }
  return nullptr;
}

Text X100Line(const SectionTable& table, int i, const Layer* layer) {
  std::array<Text, kX100Fields + 1> f;  // index 0 unused
  auto value = [&](int v) -> const Text& { return table.At(v, i); };
  f[1] = RowPositionText(i);
  f[2] = DepthTextOf(value(2));
  f[3] = DepthTextOf(value(3));
  if (layer) {
    f[8] = layer->code;
    f[9] = layer->name;
  }
  f[14] = ValueCell(value(4));
  f[15] = ValueCell(value(5));
  f[16] = ValueCell(value(6));
  f[17] = ValueCell(value(7));
  f[21] = ValueCell(value(12));
  f[22] = ValueCell(value(13));
  f[24] = ValueCell(value(8));
  f[25] = ValueCell(value(10));
  f[26] = ValueCell(value(9));
  f[27] = ValueCell(value(11));
  f[29] = ValueCell(value(14));
  f[30] = StrengthConditionCode(value(16));
  f[31] = ValueCell(value(17));
  f[32] = CombinedField32(value(18), value(19));
  Text line = f[1];
  for (int k = 2; k <= kX100Fields; ++k) line += U"," + f[static_cast<std::size_t>(k)];
  return line;
}

}  // namespace

void ReadSectionD(std::int16_t& count, SectionTable& table, SourceFile& file) {
  file.SkipFields(2);
  count = ReadSectionCount(file);
  table = SectionTable(kSectionDValues + 1, count);
  for (int i = 1; i <= count; ++i) {
    file.SkipFields(3);
    for (int value = 1; value <= kSectionDValues; ++value) table.At(value, i) = ReadDValue(file, value);
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

Text StrengthConditionCode(const Text& field) {
  if (Trim(field).empty()) return {};
  double code = ValueOf(field);
  if (code == 1) return U"ＵＵ";
  if (code == 2) return U"ＣＵ";
  if (code == 3) return U"ＵＣ";
  if (code == 4) return U"ＣＤ";
  return {};
}

Text CombinedField32(const Text& value18, const Text& value19) {
  if (Trim(value18).empty()) return {};
  Text decimals = Mid(NumberText(ValueOf(value19) / 60), 3, 3);
  Text combined = NumberTextOf(value18);
  if (!decimals.empty()) combined += U"." + decimals;
  return combined;
}

void WriteX100File(BoringFiles& files, const SectionTable& table, std::int16_t count) {
  std::vector<Layer> layers = ReadLayers(files, U"X1.txt");
  OutputFile out(files, U"X100.txt");
  for (int i = 1; i <= count; ++i) out.WriteLine(X100Line(table, i, LayerOf(layers, table.At(2, i))));
  out.Commit();
}

}  // namespace tq
