// Single-precision values of section fields.
#include "sections/section_values.h"

#include <optional>

namespace tq {

float SingleValueOf(TextView field) {
  std::optional<float> value = ToSingle(ValueOf(field));
  if (!value) throw ConversionError(U"数値「" + Trim(field) + U"」が単精度の範囲を超えています。");
  return *value;
}

}  // namespace tq
