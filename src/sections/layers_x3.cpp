// X3.txt: the layer descriptions with the L4 codes of their characters.
#include "sections/layers_x3.h"

#include <array>

#include "common/values.h"
#include "sections/field_line.h"
#include "sections/layers.h"

namespace tq {
namespace {

constexpr char32_t kHalfSeparator = U'～';  // U+FF5E, 0x8160 in code page 932
constexpr std::size_t kCodedCharacters = 3;

using HalfCodes = std::array<std::int16_t, kCodedCharacters>;

enum class X3Field {
  kLine = 1,
  kDepth = 2,
  kCodes1 = 3,
  kHalf1 = 4,
  kCodes2 = 5,
  kHalf2 = 6,
  kSeparator = 7,
  kCount = 7
};

// The codes of the first three characters of a half that the L4 table holds, from the front.
HalfCodes CodesOf(TextView half, const L4Table& l4) {
  HalfCodes codes{};
  std::size_t k = 0;
  for (std::size_t i = 0; i < half.size() && i < kCodedCharacters; ++i) {
    for (const L4Row& row : l4.rows) {
      if (row.character != Text(1, half[i])) continue;
      codes[k++] = L4Code(l4, row);
      break;
    }
  }
  return codes;
}

// Two digits per slot ("05" for 5), two spaces for a slot without a code.
Text CodeText(const HalfCodes& codes) {
  Text text;
  for (std::int16_t code : codes) text += code == 0 ? Text(U"  ") : Right(U"00" + DecimalText(code), 2);
  return text;
}

}  // namespace

void WriteX3Line(int& lineNumber, const Text& depthText, TextView description, const L4Table& l4, OutputFile& out) {
  if (TrimmedView(description).empty()) return;
  // The halves are views written piece by piece: a description may be very long.
  std::size_t split = description.find(kHalfSeparator);
  TextView half1 = description.substr(0, split);
  TextView half2 = split == TextView::npos ? TextView() : description.substr(split + 1);
  const Text lineText = Right(U"   " + DecimalText(lineNumber), 3);
  const Text depth = Right(U"       " + depthText, 7);
  const Text codes1 = CodeText(CodesOf(half1, l4));
  const Text codes2 = CodeText(CodesOf(half2, l4));
  FieldLine<X3Field, TextView> line;
  line[X3Field::kLine] = lineText;
  line[X3Field::kDepth] = depth;
  line[X3Field::kCodes1] = codes1;
  line[X3Field::kHalf1] = half1;
  line[X3Field::kCodes2] = codes2;
  line[X3Field::kHalf2] = half2;
  if (!half2.empty()) line[X3Field::kSeparator] = TextView(&kHalfSeparator, 1);
  line.WriteTo(out);
  ++lineNumber;
}

void WriteX3File(BoringFiles& files, const PatternData& patterns, const SectionTable& table, std::int16_t count) {
  L4Table l4 = ReadL4Table(patterns);
  std::vector<LayerGroup> groups = GroupConsecutiveRows(table, count, kLayerDescription);
  OutputFile out(files, U"X3.txt");
  int lineNumber = 1;
  for (std::size_t i = 1; i < groups.size(); ++i) {
    WriteX3Line(lineNumber, groups[i].depthText, groups[i].value, l4, out);
  }
  out.Commit();
}

}  // namespace tq
