// The title section: reading the A records and writing the three title files.
#include "sections/section_a.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <span>
#include <vector>

#include "common/errors.h"
#include "common/values.h"
#include "patterns/lookup_tables.h"
#include "platform/output_file.h"
#include "sections/row_line.h"
#include "sections/section_findings.h"

namespace tq {
namespace {

// Reads title fields first to last, each with its line.
void ReadInto(TitleFields& fields, SourceFile& file, std::size_t first, std::size_t last) {
  for (std::size_t i = first; i <= last; ++i) {
    fields[i] = file.ReadField();
    fields.SetLine(i, file.LastLine());
  }
}

// The three parts of a split field go to title fields first.. with the line of the field.
void StoreParts(TitleFields& fields, std::size_t first, const SplitParts& parts, long line) {
  for (std::size_t k = 1; k <= 3; ++k) {
    fields[first + k - 1] = parts[k];
    fields.SetLine(first + k - 1, line);
  }
}

// Splits a field into title fields first.. when its trimmed length is the expected one; the
// parts keep the line of the field.
void ReadSplitInto(TitleFields& fields, SourceFile& file, std::size_t first, std::size_t expectedLength,
                   const SplitWidths& widths, int count) {
  Text field = file.ReadField();
  SplitParts parts;
  if (Trim(field).size() == expectedLength) SplitByWidths(field, count, widths, parts);
  StoreParts(fields, first, parts, file.LastLine());
  fields.SetSplitSource(first, {field, file.LastLine()});
}

void ReadCompoundCode(TitleFields& fields, SourceFile& file) {
  Text code = file.ReadField();
  SplitParts parts;
  std::size_t length = Trim(code).size();
  if (length == 10) SplitByWidths(code, 2, {0, 4, 6, 0, 0}, parts);
  if (length == 13) SplitByWidths(code, 3, {0, 4, 6, 3, 0}, parts);
  StoreParts(fields, 7, parts, file.LastLine());
  fields.SetSplitSource(7, {code, file.LastLine()});
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

// The L2 name of a code: a code that cannot be a 16-bit integer matches no entry.
Text L2NameOf(const PatternData& patterns, const Text& field) {
  if (Trim(field).empty()) return {};
  std::optional<std::int16_t> code = RoundToInt16(ValueOf(field));
  return code ? LookupL2Name(patterns, *code) : Text();
}

// A five-character field written on two lines, its first 2 and its last 3 characters; a field
// of any other length leaves both lines empty.
Text PartOfFive(const Text& field, bool head) {
  Text t = Trim(field);
  if (t.size() != 5) return {};
  return head ? Left(t, 2) : Right(t, 3);
}

enum class TitleForm {
  kTrimmed,         // the field without its surrounding spaces
  kNumber,          // right-aligned number in the width
  kSeconds,         // right-aligned seconds in 5 (three digits, the last one tenths)
  kText,            // right-aligned text in the width, as read
  kUnmarkedNumber,  // right-aligned number in the width unless the field begins with "*"
  kL2Name,          // the name of the field's code in L2.txt
  kFirstTwoOfFive,  // see PartOfFive
  kLastThreeOfFive,
  kMark01IfPresent,  // "01" when the field is not empty
  kMarkTpIfPresent,  // "ＴＰ" when the field is not empty
  kHeaderValue,      // the title header value, as read
};

// One line of a title file from one title field; lines that no row names stay empty.
struct TitleLine {
  int line;   // from 1
  int field;  // title field; 0 for the header value
  TitleForm form;
  std::size_t width;
};

constexpr int kTitl01Lines = 23;
constexpr TitleLine kTitl01[] = {
    {1, 1, TitleForm::kTrimmed, 0},  {4, 7, TitleForm::kNumber, 4},    {7, 32, TitleForm::kNumber, 4},
    {8, 33, TitleForm::kNumber, 2},  {10, 2, TitleForm::kTrimmed, 0},  {11, 10, TitleForm::kNumber, 2},
    {12, 11, TitleForm::kNumber, 2}, {13, 12, TitleForm::kSeconds, 5}, {14, 13, TitleForm::kNumber, 3},
    {15, 14, TitleForm::kNumber, 2}, {16, 15, TitleForm::kSeconds, 5}, {18, 34, TitleForm::kTrimmed, 0},
};

constexpr int kTitl02Lines = 41;
constexpr TitleLine kTitl02[] = {
    {17, 16, TitleForm::kMark01IfPresent, 0}, {18, 16, TitleForm::kMarkTpIfPresent, 0}, {19, 16, TitleForm::kNumber, 8},
    {20, 22, TitleForm::kNumber, 8},          {23, 23, TitleForm::kNumber, 8},          {25, 19, TitleForm::kNumber, 6},
    {26, 20, TitleForm::kNumber, 6},          {31, 21, TitleForm::kNumber, 2},          {32, 21, TitleForm::kL2Name, 0},
    {40, 0, TitleForm::kHeaderValue, 0},
};

constexpr int kTitl04Lines = 14;
constexpr TitleLine kTitl04[] = {
    {1, 3, TitleForm::kUnmarkedNumber, 5},
    {2, 4, TitleForm::kUnmarkedNumber, 4},
    {3, 5, TitleForm::kNumber, 3},
    {4, 6, TitleForm::kNumber, 3},
    {5, 8, TitleForm::kTrimmed, 0},
    {6, 17, TitleForm::kFirstTwoOfFive, 0},
    {7, 17, TitleForm::kLastThreeOfFive, 0},
    {8, 18, TitleForm::kTrimmed, 0},
    {9, 26, TitleForm::kText, 1},
    {10, 27, TitleForm::kText, 2},
    {11, 28, TitleForm::kText, 3},
    {12, 29, TitleForm::kText, 2},
    {13, 30, TitleForm::kText, 2},
    {14, 31, TitleForm::kText, 2},
};

struct TitleFileLayout {
  std::span<const TitleLine> rows;
  int lineCount;
};
constexpr TitleFileLayout kTitleFiles[] = {
    {kTitl01, kTitl01Lines},
    {kTitl02, kTitl02Lines},
    {kTitl04, kTitl04Lines},
};

// Each layout names its lines in order, each line once, none beyond the file's last line, and
// only title fields that exist.
constexpr bool IsLayout(const TitleFileLayout& layout) {
  int previous = 0;
  for (const TitleLine& row : layout.rows) {
    if (row.line <= previous || row.line > layout.lineCount) return false;
    if (row.field < 0 || row.field > kTitleFieldCount) return false;
    previous = row.line;
  }
  return true;
}
static_assert(IsLayout(kTitleFiles[0]) && IsLayout(kTitleFiles[1]) && IsLayout(kTitleFiles[2]));

Text TitleText(const PatternData& patterns, const TitleLine& row, const Text& field, const Text& headerValue) {
  switch (row.form) {
    case TitleForm::kTrimmed: return Trim(field);
    case TitleForm::kNumber: return NumberIn(field, row.width);
    case TitleForm::kSeconds: return SecondsIn5(field);
    case TitleForm::kText: return TextIn(field, row.width);
    case TitleForm::kUnmarkedNumber: return UnmarkedNumberIn(field, row.width);
    case TitleForm::kL2Name: return L2NameOf(patterns, field);
    case TitleForm::kFirstTwoOfFive: return PartOfFive(field, true);
    case TitleForm::kLastThreeOfFive: return PartOfFive(field, false);
    case TitleForm::kMark01IfPresent: return Trim(field).empty() ? Text() : Text(U"01");
    case TitleForm::kMarkTpIfPresent: return Trim(field).empty() ? Text() : Text(U"ＴＰ");
    case TitleForm::kHeaderValue: return headerValue;
  }
  return {};
}

using TitleFileLines = std::vector<Text>;
using TitleFileTexts = std::array<TitleFileLines, std::size(kTitleFiles)>;

// The fields are converted in the order they were read, so that of two values no line could hold
// the one read first stops the file, at the line of its field.
TitleFileTexts TitleFiles(const PatternData& patterns, const TitleFields& fields, const Text& headerValue) {
  TitleFileTexts files;
  for (std::size_t k = 0; k < files.size(); ++k) files[k].resize(static_cast<std::size_t>(kTitleFiles[k].lineCount));
  for (int field = 0; field <= kTitleFieldCount; ++field) {
    std::size_t i = static_cast<std::size_t>(field);
    for (std::size_t k = 0; k < files.size(); ++k) {
      for (const TitleLine& row : kTitleFiles[k].rows) {
        if (row.field != field) continue;
        files[k][static_cast<std::size_t>(row.line - 1)] =
            AtLine(fields.Line(i), [&] { return TitleText(patterns, row, fields[i], headerValue); });
      }
    }
  }
  return files;
}

constexpr const char32_t* kTitleFileNames[] = {U"titl01.txt", U"titl02.txt", U"titl04.txt"};

Text TitleFieldName(int field) { return U"表題（A）の項目 " + DecimalText(field); }

// A value that its place in a title file cuts to its last width characters.
void NoteCutTitleValue(FindingList& findings, const TitleFields& fields, const TitleLine& row, std::size_t file,
                       const Text& value) {
  if (value.size() <= row.width) return;
  std::size_t i = static_cast<std::size_t>(row.field);
  findings.Warn(fields.Line(i), finding_code::kTitleCut,
                TitleFieldName(row.field) + Quoted(value) + U"は " + kTitleFileNames[file] + U" の " +
                    DecimalText(row.line) + U" 行目の幅 " + DecimalText(static_cast<long long>(row.width)) +
                    U" 文字に収まらないため、末尾の" + Quoted(Right(value, row.width)) + U"だけが書かれます。" +
                    DecimalText(static_cast<long long>(row.width)) + U" 文字以内で書いてください。");
}

void NoteTitleLine(FindingList& findings, const TitleFields& fields, const TitleLine& row, std::size_t file) {
  std::size_t i = static_cast<std::size_t>(row.field);
  const Text& field = fields[i];
  if (row.field == 0 || fields.Line(i) == 0 || Trim(field).empty()) return;
  switch (row.form) {
    case TitleForm::kUnmarkedNumber:
      if (StartsWith(field, U"*")) return;
      [[fallthrough]];
    case TitleForm::kNumber:
      NoteValue(findings, field, fields.Line(i), ValueForm::kNumber, TitleFieldName(row.field));
      if (ReadNumberText(field) != NumberReading::kNotMeasured) {
        NoteCutTitleValue(findings, fields, row, file, NumberTextOf(field));
      }
      return;
    case TitleForm::kSeconds:
    case TitleForm::kL2Name:
      return NoteValue(findings, field, fields.Line(i), ValueForm::kNumber, TitleFieldName(row.field));
    case TitleForm::kText: return NoteCutTitleValue(findings, fields, row, file, field);
    default: return;
  }
}

// The title fields of each A record after the first, which all stand on the record's line.
struct TitleRecord {
  std::size_t first;
  std::size_t last;
};
constexpr TitleRecord kTitleRecords[] = {{2, 9}, {10, 25}, {26, 34}};

// The fields that are split only when they have one of the lengths they are read with; any other
// length leaves all their title fields empty.
struct SplitField {
  std::size_t first;
  const char32_t* name;
  const char32_t* lengths;
};
constexpr SplitField kSplitFields[] = {
    {7, U"コード（項目 7〜9）", U"10 文字または 13 文字"},
    {10, U"1 番目の角度（項目 10〜12）", U"7 文字"},
    {13, U"2 番目の角度（項目 13〜15）", U"8 文字"},
};

void NoteSplitFieldLengths(FindingList& findings, const TitleFields& fields) {
  for (const SplitField& split : kSplitFields) {
    const TitleFields::SplitSource& source = fields.SplitSourceOf(split.first);
    Text trimmed = Trim(source.text);
    if (trimmed.empty() || !fields[split.first].empty()) continue;
    findings.Warn(source.line, finding_code::kTitleLength,
                  U"表題（A）の" + Text(split.name) + Quoted(trimmed) + U"は " +
                      DecimalText(static_cast<long long>(trimmed.size())) +
                      U" 文字のため分けられず、どの表題ファイルにも書かれません。" + split.lengths +
                      U"で書いてください。");
  }
}

void NoteSplitTitleRecords(FindingList& findings, const TitleFields& fields) {
  for (const TitleRecord& record : kTitleRecords) {
    long first = 0;
    long last = 0;
    for (std::size_t i = record.first; i <= record.last; ++i) {
      if (fields.Line(i) == 0) continue;
      if (first == 0) first = fields.Line(i);
      last = std::max(last, fields.Line(i));
    }
    if (last <= first) continue;
    findings.Warn(first, finding_code::kRecordSplit,
                  U"表題（A）のデータが " + DecimalText(first) + U" 行目から " + DecimalText(last) +
                      U" 行目にまたがっています。1 件のデータは 1 "
                      U"行に書いてください（この後の表題の項目がずれて読まれています）。");
  }
}

void WriteTitleFile(BoringFiles& files, const Text& name, const TitleFileLines& lines) {
  OutputFile out(files, name);
  for (const Text& line : lines) out.WriteLine(line);
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
  fields.SetLine(5, 0);
  ReadInto(fields, file, 6, 6);
  ReadCompoundCode(fields, file);
  kind = file.ReadField();
  if (kind != U"A") return;

  file.SkipFields(2);
  ReadSplitInto(fields, file, 10, 7, {0, 2, 2, 3, 0}, 3);
  ReadSplitInto(fields, file, 13, 8, {0, 3, 2, 3, 0}, 3);
  ReadInto(fields, file, 16, 25);
  kind = file.ReadField();
  if (kind != U"A") return;

  file.SkipFields(2);
  ReadInto(fields, file, 26, 34);
  kind.clear();
}

// All three files are built before the first is written, so that a title value no file could
// hold leaves none of them behind.
void WriteTitleFiles(BoringFiles& files, const PatternData& patterns, const TitleFields& fields,
                     const Text& headerValue) {
  TitleFileTexts texts = TitleFiles(patterns, fields, headerValue);
  WriteTitleFile(files, U"titl01.txt", texts[0]);
  WriteTitleFile(files, U"titl02.txt", texts[1]);
  WriteTitleFile(files, U"titl04.txt", texts[2]);
}

void NoteTitleFindings(FindingList& findings, const TitleFields& fields) {
  NoteSplitTitleRecords(findings, fields);
  NoteSplitFieldLengths(findings, fields);
  for (std::size_t k = 0; k < std::size(kTitleFiles); ++k) {
    for (const TitleLine& row : kTitleFiles[k].rows) NoteTitleLine(findings, fields, row, k);
  }
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
