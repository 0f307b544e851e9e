// The title section: reading the A records and writing the three title files.
#include "sections/section_a.h"

#include "common/errors.h"
#include "common/values.h"
#include "patterns/lookup_tables.h"
#include "platform/output_file.h"
#include "sections/section_values.h"

namespace tq {
namespace {

// The fields that the title files write as numbers. The parts of the compound code and of the
// angles are too short to hold a number beyond double precision, so they need no check.
bool IsNumberField(int i) {
  return i == 3 || i == 4 || i == 6 || i == 16 || (i >= 19 && i <= 23) || i == 32 || i == 33;
}

// A number field that no title file could write stops the source file at the field's line.
void ReadInto(TitleFields& fields, SourceFile& file, int first, int last) {
  for (int i = first; i <= last; ++i) {
    fields[static_cast<std::size_t>(i)] = IsNumberField(i) ? ReadValueField(file) : file.ReadField();
  }
}

// Splits a field into title fields first.. when its trimmed length is the expected one.
void SplitInto(TitleFields& fields, int first, const Text& field, std::size_t expectedLength,
               const SplitWidths& widths, int count) {
  SplitParts parts;
  if (Trim(field).size() == expectedLength) SplitByWidths(field, count, widths, parts);
  for (int k = 1; k <= 3; ++k) fields[static_cast<std::size_t>(first + k - 1)] = parts[static_cast<std::size_t>(k)];
}

void SplitCompoundCode(TitleFields& fields, const Text& code) {
  SplitParts parts;
  std::size_t length = Trim(code).size();
  if (length == 10) SplitByWidths(code, 2, {0, 4, 6, 0, 0}, parts);
  if (length == 13) SplitByWidths(code, 3, {0, 4, 6, 3, 0}, parts);
  fields[7] = parts[1];
  fields[8] = parts[2];
  fields[9] = parts[3];
}

// The value forms of the title files.
Text RightAligned(const Text& text, std::size_t width) { return Right(Text(width, U' ') + text, width); }

Text NumberIn(const Text& field, std::size_t width) {
  if (Trim(field).empty()) return {};
  return RightAligned(NumberTextOf(field), width);
}

Text SecondsIn5(const Text& field) {
  if (Trim(field).empty()) return {};
  return RightAligned(NumberTextOf(Left(field, 2) + U"." + Right(field, 1)), 5);
}

Text TextIn(const Text& field, std::size_t width) {
  if (Trim(field).empty()) return {};
  return RightAligned(field, width);
}

// A number unless the field is marked with a leading "*".
Text UnmarkedNumberIn(const Text& field, std::size_t width) {
  if (StartsWith(field, U"*")) return {};
  return NumberIn(field, width);
}

void WriteEmptyLines(OutputFile& out, int count) {
  for (int i = 0; i < count; ++i) out.WriteEmptyLine();
}

void WriteTitl01(BoringFiles& files, const TitleFields& f) {
  OutputFile out(files, U"titl01.txt");
  out.WriteLine(Trim(f[1]));
  WriteEmptyLines(out, 2);
  out.WriteLine(NumberIn(f[7], 4));
  WriteEmptyLines(out, 2);
  out.WriteLine(NumberIn(f[32], 4));
  out.WriteLine(NumberIn(f[33], 2));
  WriteEmptyLines(out, 1);
  out.WriteLine(Trim(f[2]));
  out.WriteLine(NumberIn(f[10], 2));
  out.WriteLine(NumberIn(f[11], 2));
  out.WriteLine(SecondsIn5(f[12]));
  out.WriteLine(NumberIn(f[13], 3));
  out.WriteLine(NumberIn(f[14], 2));
  out.WriteLine(SecondsIn5(f[15]));
  WriteEmptyLines(out, 1);
  out.WriteLine(Trim(f[34]));
  WriteEmptyLines(out, 5);
  out.Commit();
}

// The L2 name of field 21: a code that cannot be a 16-bit integer matches no entry.
Text L2NameOf(const PatternData& patterns, const Text& field) {
  if (Trim(field).empty()) return {};
  std::optional<std::int16_t> code = RoundToInt16(ValueOf(field));
  return code ? LookupL2Name(patterns, *code) : Text();
}

void WriteTitl02(BoringFiles& files, const PatternData& patterns, const TitleFields& f, const Text& headerValue) {
  OutputFile out(files, U"titl02.txt");
  WriteEmptyLines(out, 16);
  if (Trim(f[16]).empty()) {
    WriteEmptyLines(out, 3);
  } else {
    out.WriteLine(U"01");
    out.WriteLine(U"ＴＰ");
    out.WriteLine(NumberIn(f[16], 8));
  }
  out.WriteLine(NumberIn(f[22], 8));
  WriteEmptyLines(out, 2);
  out.WriteLine(NumberIn(f[23], 8));
  WriteEmptyLines(out, 1);
  out.WriteLine(NumberIn(f[19], 6));
  out.WriteLine(NumberIn(f[20], 6));
  WriteEmptyLines(out, 4);
  out.WriteLine(NumberIn(f[21], 2));
  out.WriteLine(L2NameOf(patterns, f[21]));
  WriteEmptyLines(out, 7);
  out.WriteLine(headerValue);
  WriteEmptyLines(out, 1);
  out.Commit();
}

void WriteTitl04(BoringFiles& files, const TitleFields& f) {
  OutputFile out(files, U"titl04.txt");
  out.WriteLine(UnmarkedNumberIn(f[3], 5));
  out.WriteLine(UnmarkedNumberIn(f[4], 4));
  out.WriteLine(NumberIn(f[5], 3));
  out.WriteLine(NumberIn(f[6], 3));
  out.WriteLine(Trim(f[8]));
  Text t = Trim(f[17]);
  if (t.size() == 5) {
    out.WriteLine(Left(t, 2));
    out.WriteLine(Right(t, 3));
  } else {
    WriteEmptyLines(out, 2);
  }
  out.WriteLine(Trim(f[18]));
  out.WriteLine(TextIn(f[26], 1));
  out.WriteLine(TextIn(f[27], 2));
  out.WriteLine(TextIn(f[28], 3));
  out.WriteLine(TextIn(f[29], 2));
  out.WriteLine(TextIn(f[30], 2));
  out.WriteLine(TextIn(f[31], 2));
  out.Commit();
}

}  // namespace

void ReadSectionA(TitleFields& fields, SourceFile& file, Text& headerValue, Text& kind) {
  headerValue = file.ReadField();
  file.SkipFields(1);
  kind = file.ReadField();
  if (kind != U"A") return;

  file.SkipFields(2);
  ReadInto(fields, file, 1, 1);
  kind = file.ReadField();
  if (kind != U"A") return;

  file.SkipFields(2);
  ReadInto(fields, file, 2, 4);
  fields[5].clear();
  ReadInto(fields, file, 6, 6);
  SplitCompoundCode(fields, file.ReadField());
  kind = file.ReadField();
  if (kind != U"A") return;

  file.SkipFields(2);
  SplitInto(fields, 10, file.ReadField(), 7, {0, 2, 2, 3, 0}, 3);
  SplitInto(fields, 13, file.ReadField(), 8, {0, 3, 2, 3, 0}, 3);
  ReadInto(fields, file, 16, 25);
  kind = file.ReadField();
  if (kind != U"A") return;

  file.SkipFields(2);
  ReadInto(fields, file, 26, 34);
  kind.clear();
}

void WriteTitleFiles(BoringFiles& files, const PatternData& patterns, const TitleFields& fields,
                     const Text& headerValue) {
  WriteTitl01(files, fields);
  WriteTitl02(files, patterns, fields, headerValue);
  WriteTitl04(files, fields);
}

void SplitByWidths(TextView text, int count, const SplitWidths& widths, SplitParts& parts) {
  std::size_t p = 1;
  std::size_t r = text.size();
  for (int k = 1; k <= count; ++k) {
    std::size_t width = static_cast<std::size_t>(widths[static_cast<std::size_t>(k)]);
    if (r < width) {
      parts[static_cast<std::size_t>(k)] = Mid(text, p);
      return;
    }
    parts[static_cast<std::size_t>(k)] = Mid(text, p, width);
    p += width;
    r -= width;
  }
}

}  // namespace tq
