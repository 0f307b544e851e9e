// The values each section's writers take as numbers, and the findings of its rows.
#include "sections/section_findings.h"

#include <algorithm>
#include <span>

#include "common/values.h"
#include "sections/layers.h"
#include "sections/section_d_x100.h"
#include "sections/section_d_x100a.h"

namespace tq {
namespace {

struct ValueUse {
  int value;
  ValueForm form;
  const char32_t* name;
};

constexpr ValueUse kLayerUses[] = {{kLayerDepth, ValueForm::kDepth, U"深度"}};
constexpr ValueUse kCUses[] = {
    {1, ValueForm::kDepth, U"深度"}, {2, ValueForm::kNumber, U"打撃回数"}, {3, ValueForm::kMarkedNumber, U"貫入量"}};
constexpr ValueUse kEUses[] = {{1, ValueForm::kDepth, U"深度"},
                               {2, ValueForm::kNumber, U"1 番目の値"},
                               {3, ValueForm::kNumber, U"2 番目の値"},
                               {4, ValueForm::kNumber, U"3 番目の値"}};
constexpr ValueUse kFUses[] = {
    {1, ValueForm::kDepth, U"開始深度"}, {2, ValueForm::kNumber, U"終了深度"}, {3, ValueForm::kExponentNumber, U"値"}};
constexpr ValueUse kIntervalUses[] = {
    {1, ValueForm::kDepth, U"開始深度"}, {2, ValueForm::kNumber, U"終了深度"}, {3, ValueForm::kNumber, U"値"}};
constexpr ValueUse kZUses[] = {{1, ValueForm::kDepth, U"深度"}};
// Every value of a D row but the strength condition, a code whose other texts mean "none".
constexpr ValueUse kDUses[] = {
    {1, ValueForm::kNumber, U"値 1"},
    {kDUpperDepth, ValueForm::kDepth, U"上端深度"},
    {kDLowerDepth, ValueForm::kDepth, U"下端深度"},
    {4, ValueForm::kNumber, U"値 4"},
    {5, ValueForm::kNumber, U"値 5"},
    {6, ValueForm::kNumber, U"値 6"},
    {7, ValueForm::kNumber, U"値 7"},
    {8, ValueForm::kNumber, U"値 8"},
    {9, ValueForm::kNumber, U"値 9"},
    {10, ValueForm::kNumber, U"値 10"},
    {11, ValueForm::kNumber, U"値 11"},
    {12, ValueForm::kNumber, U"値 12"},
    {13, ValueForm::kNumber, U"値 13"},
    {14, ValueForm::kNumber, U"値 14"},
    {15, ValueForm::kNumber, U"値 15"},
    {17, ValueForm::kNumber, U"値 17"},
    {18, ValueForm::kNumber, U"値 18"},
    {19, ValueForm::kNumber, U"値 19"},
    {20, ValueForm::kNumber, U"値 20"},
    {21, ValueForm::kNumber, U"値 21"},
    {22, ValueForm::kExponentNumber, U"値 22"},
    {23, ValueForm::kExponentNumber, U"値 23"},
};

struct SectionLayout {
  char32_t kind;
  int fields;  // fields per record: the letter, two dropped fields and the values
  std::span<const ValueUse> uses;
};

// Section B is read only to pass over it, so its values are written nowhere.
constexpr SectionLayout kLayouts[] = {
    {U'B', 3 + kLayerValues, {}},
    {U'X', 6, kLayerUses},
    {U'C', 6, kCUses},
    {U'D', 3 + kSectionDValues, kDUses},
    {U'E', 7, kEUses},
    {U'F', 6, kFUses},
    {U'G', 6, kIntervalUses},
    {U'H', 6, kIntervalUses},
    {U'Z', 5, kZUses},
};

const SectionLayout* LayoutOf(const Text& kind) {
  for (const SectionLayout& layout : kLayouts) {
    if (kind.size() == 1 && kind[0] == layout.kind) return &layout;
  }
  return nullptr;
}

Text WhatIsExpected(ValueForm form) {
  if (form == ValueForm::kMarkedNumber) return U"数値（測定していないときは「*」または「-」）";
  return U"数値（測定していないときは「-」または空欄）";
}

void NoteNumber(FindingList& findings, TextView text, long line, ValueForm form, const ValueName& name) {
  switch (ReadNumberText(text)) {
    case NumberReading::kBlank:
    case NumberReading::kNotMeasured:
    case NumberReading::kWhole: return;
    case NumberReading::kPrefix:
      findings.Warn(line, finding_code::kNumberPrefix,
                    name.Whole() + Quoted(Trim(text)) + U"は数値の後に数値でない文字があり、" + Quoted(NumberTextOf(text)) +
                        U"として変換されます。" + WhatIsExpected(form) + U"だけを書いてください。");
      return;
    case NumberReading::kNone:
      findings.Warn(line, finding_code::kNotANumber,
                    name.Whole() + Quoted(Trim(text)) + U"は数値ではないため、0 として変換されます。" + WhatIsExpected(form) +
                        U"を書いてください。");
      return;
  }
}

// The form splits at its first exponent letter (full-width ones too) and reads each side as a
// number, so each side is looked at as one.
void NoteExponentNumber(FindingList& findings, TextView text, long line, const ValueName& name) {
  TextView t = TrimmedView(text);
  std::size_t p = ExponentLetterPosition(t);
  if (p == Text::npos) return NoteNumber(findings, t, line, ValueForm::kExponentNumber, name);
  NoteNumber(findings, t.substr(0, p), line, ValueForm::kExponentNumber, name);
  NoteNumber(findings, t.substr(p + 1), line, ValueForm::kExponentNumber, name);
}

void NoteDepthWidth(FindingList& findings, TextView text, long line, const ValueName& name) {
  if (TrimmedView(text).empty()) return;
  Text number = NumberTextOf(text);
  if (number.substr(0, number.find(U'.')).size() <= 4) return;
  findings.Warn(line, finding_code::kDepthCut,
                name.Whole() + Quoted(Trim(text)) + U"は整数部が 4 文字を超えるため、出力では" +
                    Quoted(DepthText(ValueOf(text))) +
                    U"に切り詰められます。深度は -999.99 から 9999.99 までで書いてください。");
}

void NoteRowFraming(FindingList& findings, const Text& kind, const SectionTable& table, int row, int fields) {
  long first = table.Line(0, row);
  long last = first;
  for (int value = 1; value <= table.Values(); ++value) last = std::max(last, table.Line(value, row));
  if (last > first) {
    findings.Warn(first, finding_code::kRecordSplit,
                  kind + U" のデータが " + DecimalText(first) + U" 行目から " + DecimalText(last) +
                      U" 行目にまたがっています。1 件のデータは 1 行に " + DecimalText(fields) +
                      U" 項目で書いてください（この後の値がずれて読まれています）。");
  }
  if (!table.RowEndsLine(row)) {
    findings.Warn(
        last, finding_code::kExtraFields,
        U"この行には " + kind + U" のデータの " + DecimalText(fields) +
            U" 項目より多くの項目があります。余分な項目は次のデータの始まりとして読まれ、この後の値がずれています。");
  }
}

}  // namespace

void NoteValue(FindingList& findings, TextView text, long line, ValueForm form, const ValueName& name) {
  if (form == ValueForm::kMarkedNumber && StartsWith(text, U"*")) return;
  if (form == ValueForm::kExponentNumber) return NoteExponentNumber(findings, text, line, name);
  NoteNumber(findings, text, line, form, name);
  if (form == ValueForm::kDepth && ReadNumberText(text) != NumberReading::kNone)
    NoteDepthWidth(findings, text, line, name);
}

int FieldsPerRecord(const Text& kind) {
  const SectionLayout* layout = LayoutOf(kind);
  return layout ? layout->fields : 0;
}

void NoteSectionRows(FindingList& findings, const Text& kind, const SectionTable& table, std::int16_t count) {
  const SectionLayout* layout = LayoutOf(kind);
  if (!layout) return;
  for (int row = 1; row <= count; ++row) {
    Text rowKind = NormaliseKind(table.At(0, row));
    if (rowKind != kind) {
      findings.Warn(table.Line(0, row), finding_code::kCountAboveRows,
                    kind + U" の見出しの件数は " + DecimalText(count) + U" 件ですが、" + DecimalText(row) +
                        U" 件目として読んだ行は " + Quoted(table.At(0, row)) +
                        U" の行です。件数を実際のデータ行の数に合わせてください（後のセクションがこのセクションのデータ"
                        U"として読まれています）。");
      return;
    }
    NoteRowFraming(findings, kind, table, row, layout->fields);
    for (const ValueUse& use : layout->uses) {
      NoteValue(findings, table.At(use.value, row), table.Line(use.value, row), use.form, ValueName(kind, use.name));
    }
  }
}

}  // namespace tq
