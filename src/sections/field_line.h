// One output line of named fields, numbered from 1 as a file's field table counts them.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
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
//
// With Value = TextView the fields view texts held elsewhere, and WriteTo puts them into an
// output piece by piece, so that a field of many megabytes is never copied.
template <typename Field, typename Value = Text>
class FieldLine {
  static_assert(std::is_enum_v<Field>, "fields are named by an enumeration");
  static constexpr std::size_t kCount = static_cast<std::size_t>(Field::kCount);
  static_assert(kCount >= 1, "a line has at least one field");

 public:
  static constexpr std::size_t Count() { return kCount; }

  Value& operator[](Field field) { return fields_.at(Index(field)); }
  const Value& operator[](Field field) const { return fields_.at(Index(field)); }

  // The fields joined by "," as they are, none quoted.
  Text Join() const {
    Text line(fields_[0]);
    for (std::size_t k = 1; k < kCount; ++k) {
      line += U',';
      line += fields_[k];
    }
    return line;
  }

  // The same line written to out (Write of each piece, then EndLine) without joining it first;
  // the quoted field, if any, between double quotes.
  template <typename Out>
  void WriteTo(Out& out, std::optional<Field> quoted = std::nullopt) const {
    static constexpr char32_t kComma = U',';
    static constexpr char32_t kQuote = U'"';
    for (std::size_t k = 0; k < kCount; ++k) {
      if (k > 0) out.Write(TextView(&kComma, 1));
      bool quote = quoted && Index(*quoted) == k;
      if (quote) out.Write(TextView(&kQuote, 1));
      out.Write(fields_[k]);
      if (quote) out.Write(TextView(&kQuote, 1));
    }
    out.EndLine();
  }

 private:
  // Field 0 does not exist; at() refuses it and any field beyond kCount.
  static constexpr std::size_t Index(Field field) { return static_cast<std::size_t>(field) - 1; }

  std::array<Value, kCount> fields_;
};

}  // namespace tq
