// X100A.txt from the rows of section D, and the exponent number text.
#include "sections/section_d_x100a.h"

#include <cmath>
#include <optional>

#include "common/errors.h"
#include "common/values.h"
#include "platform/output_file.h"
#include "sections/field_line.h"
#include "sections/section_d_x100.h"

namespace tq {
namespace {

// The letters that may separate mantissa and exponent, in the order they are looked for.
constexpr char32_t kExponentLetters[] = {U'E', U'e', U'Ｅ', U'ｅ'};

Text OutOfSingleRange(const Text& t) { return U"数値「" + t + U"」が単精度の範囲を超えています。"; }

enum class X100AField {
  kRow = 1,
  kValue1 = 2,
  kValue15 = 3,
  kValue20 = 4,
  kValue21 = 5,
  kValue22 = 6,
  kValue23 = 7,
  kCount = 7
};

}  // namespace

std::size_t ExponentLetterPosition(TextView t) {
  for (char32_t letter : kExponentLetters) {
    std::size_t p = t.find(letter);
    if (p != Text::npos) return p;
  }
  return Text::npos;
}

Text ExponentNumberText(TextView field) {
  Text t = Trim(field);
  if (t.empty()) return {};
  std::size_t p = ExponentLetterPosition(t);
  if (p == Text::npos) return NumberTextOf(t);
  double mantissa = ValueOf(t.substr(0, p));
  double exponent = ValueOf(t.substr(p + 1));
  // A zero mantissa gives zero whatever the exponent, even one whose power would overflow.
  double product = mantissa == 0 ? 0.0 : mantissa * std::pow(10.0, exponent);
  std::optional<float> single = ToSingle(product);
  if (!single) throw ConversionError(OutOfSingleRange(t));
  return NumberTextOf(SingleNumberText(*single));
}

Text X100ALine(const SectionRow& row) {
  FieldLine<X100AField> line;
  line[X100AField::kRow] = RowPositionText(row.Number());
  line[X100AField::kValue1] = ValueCell(row[kDValue1]);
  line[X100AField::kValue15] = ValueCell(row[kDValue15]);
  line[X100AField::kValue20] = ValueCell(row[kDValue20]);
  line[X100AField::kValue21] = ValueCell(row[kDValue21]);
  line[X100AField::kValue22] = ExponentNumberText(row[kDValue22]);
  line[X100AField::kValue23] = ExponentNumberText(row[kDValue23]);
  return line.Join();
}

void WriteX100AFile(BoringFiles& files, const SectionTable& table, std::int16_t count) {
  OutputFile out(files, U"X100A.txt");
  for (int i = 1; i <= count; ++i) out.WriteLine(AtRowLine(table, i, X100ALine));
  out.Commit();
}

}  // namespace tq
