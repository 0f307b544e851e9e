// X3.txt: the layer descriptions with the L4 codes of their characters.
#include "sections/layers_x3.h"

#include <array>

#include "common/errors.h"
#include "common/source_file.h"
#include "common/values.h"
#include "patterns/pattern_settings.h"
#include "patterns/pattern_table.h"
#include "sections/field_line.h"
#include "sections/layers.h"

namespace tq {
namespace {

constexpr char32_t kHalfSeparator = U'～';  // U+FF5E, 0x8160 in code page 932
constexpr std::size_t kCodedCharacters = 3;

using HalfCodes = std::array<std::int16_t, kCodedCharacters>;

enum class X3Field { kLine = 1, kDepth = 2, kCodes1 = 3, kHalf1 = 4, kCodes2 = 5, kHalf2 = 6, kSeparator = 7, kCount = 7 };

Text L4Path() { return PatternFolder() + U"L4.TXT"; }

std::int16_t L4Code(const L4Row& row) {
  std::optional<std::int16_t> code;
  try {
    code = RoundToInt16(ValueOf(row.number));
  } catch (const ConversionError&) {
    // A number too large even for a double is as far out of range as one beyond 16 bits.
  }
  if (code) return *code;
  throw ConversionError(U"パターンデータのファイル「" + L4Path() + U"」の " + DecimalText(row.line) + U" 行目の番号「" +
                        row.number + U"」が大きすぎます。-32768 から 32767 までの数でなければなりません。");
}

// The codes of the first three characters of a half that the L4 table holds, from the front.
HalfCodes CodesOf(const Text& half, const L4Table& l4) {
  HalfCodes codes{};
  std::size_t k = 0;
  for (std::size_t i = 0; i < half.size() && i < kCodedCharacters; ++i) {
    for (const L4Row& row : l4) {
      if (row.character != Text(1, half[i])) continue;
      codes[k++] = L4Code(row);
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

L4Table ReadL4Table() {
  Text path = L4Path();
  SourceFile file(ReadPatternTableBytes(path));
  L4Table l4;
  TableRow row;
  while (ReadTableRow(file, path, 2, U"番号と文字の 2 項目", row)) {
    l4.push_back({row.fields[1], row.fields[2], row.line});
  }
  return l4;
}

void WriteX3Line(int& lineNumber, const Text& depthText, const Text& description, const L4Table& l4,
                 OutputFile& out) {
  if (Trim(description).empty()) return;
  std::size_t split = description.find(kHalfSeparator);
  FieldLine<X3Field> line;
  line[X3Field::kLine] = Right(U"   " + DecimalText(lineNumber), 3);
  line[X3Field::kDepth] = Right(U"       " + depthText, 7);
  Text& half1 = line[X3Field::kHalf1] = split == Text::npos ? description : description.substr(0, split);
  Text& half2 = line[X3Field::kHalf2] = split == Text::npos ? Text() : description.substr(split + 1);
  line[X3Field::kCodes1] = CodeText(CodesOf(half1, l4));
  line[X3Field::kCodes2] = CodeText(CodesOf(half2, l4));
  if (!half2.empty()) line[X3Field::kSeparator] = Text(1, kHalfSeparator);
  out.WriteLine(line.Join());
  ++lineNumber;
}

void WriteX3File(const Text& folder, const SectionTable& table, std::int16_t count) {
  L4Table l4 = ReadL4Table();
  std::vector<LayerGroup> groups = GroupConsecutiveRows(table, count, kLayerDescription);
  OutputFile out(folder + U"\\X3.txt");
  int lineNumber = 1;
  for (std::size_t i = 1; i < groups.size(); ++i) {
    WriteX3Line(lineNumber, groups[i].depthText, groups[i].value, l4, out);
  }
  out.Commit();
}

}  // namespace tq
