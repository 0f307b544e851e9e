// One output line of named fields, numbered from 1 as a file's field table counts them.
#pragma once

#include <array>
#include <cstddef>
#include <type_traits>

#include "common/text.h"

namespace tq {

// Field is an enumeration of a line's fields from 1 whose last enumerator kCount is the number
// of fields, so a writer names every field it fills and leaves the rest empty:
//
//   enum class X5Field { kRow = 1, kDepth = 2, ..., kCount = 11 };
//   FieldLine<X5Field> line;
//   line[X5Field::kDepth] = DepthTextOf(depth);
//   out.WriteLine(line.Join());
template <typename Field>
class FieldLine {
  static_assert(std::is_enum_v<Field>, "fields are named by an enumeration");
  static constexpr std::size_t kCount = static_cast<std::size_t>(Field::kCount);
  static_assert(kCount >= 1, "a line has at least one field");

 public:
  static constexpr std::size_t Count() { return kCount; }

  Text& operator[](Field field) { return fields_.at(Index(field)); }
  const Text& operator[](Field field) const { return fields_.at(Index(field)); }

  // The fields joined by "," as they are, none quoted.
  Text Join() const {
    Text line = fields_[0];
    for (std::size_t k = 1; k < kCount; ++k) line += U"," + fields_[k];
    return line;
  }

 private:
  // Field 0 does not exist; at() refuses it and any field beyond kCount.
  static constexpr std::size_t Index(Field field) { return static_cast<std::size_t>(field) - 1; }

  std::array<Text, kCount> fields_;
};

}  // namespace tq
