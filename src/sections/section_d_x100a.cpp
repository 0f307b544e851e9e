// X100A.txt from the rows of section D, and the exponent number text.
#include "sections/section_d_x100a.h"

#include <cmath>
#include <optional>

#include "common/errors.h"
#include "common/values.h"
#include "platform/output_file.h"

namespace tq {
namespace {

// The letters that may separate mantissa and exponent, in the order they are looked for.
constexpr char32_t kExponentLetters[] = {U'E', U'e', U'Ｅ', U'ｅ'};

std::size_t ExponentLetterPosition(const Text& t) {
  for (char32_t letter : kExponentLetters) {
    std::size_t p = t.find(letter);
    if (p != Text::npos) return p;
  }
  return Text::npos;
}

Text OutOfSingleRange(const Text& t) { return U"数値「" + t + U"」が単精度の範囲を超えています。"; }

}  // namespace

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

void WriteX100AFile(BoringFiles& files, const SectionTable& table, std::int16_t count) {
  OutputFile out(files, U"X100A.txt");
  for (int i = 1; i <= count; ++i) {
    out.WriteLine(RowPositionText(i) + U"," + ValueCell(table.At(1, i)) + U"," + ValueCell(table.At(15, i)) + U"," +
                  ValueCell(table.At(20, i)) + U"," + ValueCell(table.At(21, i)) + U"," +
                  ExponentNumberText(table.At(22, i)) + U"," + ExponentNumberText(table.At(23, i)));
  }
  out.Commit();
}

}  // namespace tq
