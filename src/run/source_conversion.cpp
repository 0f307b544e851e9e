// The section chain of one source file, and the findings of the run's own reading.
#include "run/source_conversion.h"

#include <algorithm>
#include <optional>

#include "common/encoding_check.h"
#include "common/errors.h"
#include "common/source_file.h"
#include "common/values.h"
#include "patterns/soil_patterns.h"
#include "platform/paths.h"
#include "run/file_list.h"
#include "sections/layers.h"
#include "sections/layers_x3.h"
#include "sections/row_line.h"
#include "sections/section_a.h"
#include "sections/section_c.h"
#include "sections/section_d_x100.h"
#include "sections/section_d_x100a.h"
#include "sections/section_e.h"
#include "sections/section_f.h"
#include "sections/section_findings.h"
#include "sections/section_gh.h"
#include "sections/section_z.h"

namespace tq {
namespace {

const Text kSectionOrder = U"A, B, C, D, E, F, G, H, X, Z";

// The outputs a conversion may write into a boring folder.
const Text kOutputNames[] = {U"titl01.txt", U"titl02.txt", U"titl04.txt", U"X1.txt",   U"X3.txt",   U"X12.txt",
                             U"X5.txt",     U"X100.txt",   U"X100A.txt",  U"L209.txt", U"L204.txt", U"L201.txt"};

// The count of a section header as the run reads it, with its text and where it stood.
struct HeaderCount {
  std::int16_t count = 0;
  Text text;
  long line = 0;
  Text where;  // the place of the count in the header, for messages
};

// The count from NumOrZero of its text; a number beyond single precision stops the file at the
// header's line like any other count that does not fit.
HeaderCount CountOf(const Text& text, long line, const Text& where) {
  double value = AtLine(line, [&text] { return NumOrZero(text); });
  return {SectionCount(value, text, line), text, line, where};
}

Text KindOfLine(TextView line) { return NormaliseKind(Mid(line, 2, 1)); }

bool IsLetter(const Text& kind) { return kind.size() == 1 && kind[0] >= U'A' && kind[0] <= U'Z'; }
bool IsChainKind(const Text& kind) { return IsLetter(kind) && kind[0] <= U'H'; }

Text PassedOverMessage(const Text& kind) {
  return U"セクション " + kind +
         U" は、順序が後のセクションより後ろに書かれているため、変換されずに読み飛ばされます。セクションは " +
         kSectionOrder + U" の順に並べてください。";
}

Text SkippedKindMessage(const Text& kind) {
  return U"種別" + Quoted(kind) + U"のデータは変換の対象ではないため、読み飛ばされます（対象の種別は " + kSectionOrder +
         U"）。";
}

Text CountBelowRowsMessage(const Text& kind) {
  return U"セクション " + kind + U" の見出しの件数を超えて、" + kind +
         U" のデータがまだ続いています。件数を超えた行は変換されません。見出しの件数を実際のデータ行の数に合わせてくだ"
         U"さい。";
}

// Walks one source file's sections in the fixed order, converting each and noting findings.
class SectionChain {
 public:
  SectionChain(RunData& data, SourceFile& file, BoringFiles& files, PatternData& patterns, FindingList& findings)
      : data_(data), file_(file), files_(files), patterns_(patterns), findings_(findings) {}

  void Run() {
    data_.gCount = 0;
    data_.hCount = 0;
    // A short title section must never carry another boring's title into this one.
    data_.titleFields = TitleFields();
    data_.titleHeader.clear();
    data_.dReadFromThisFile = false;
    data_.kind = NormaliseKind(file_.ReadField());
    ConvertChainSections();
    WriteGAndHFile();
    SourceFile::LineMark xScanStart = file_.MarkLineStart();
    FindSectionX();
    ConvertSectionX();
    WriteSectionDFiles();
    FindAndConvertSectionZ(xScanStart);
  }

 private:
  // Reads the next record kind, normalised, unless the file has ended. A record of the section
  // just read means that its header announced fewer rows than it has.
  void ReadNextKindAfter(const Text& section) {
    data_.kind.clear();
    if (file_.AtEnd()) return;
    data_.kind = NormaliseKind(file_.ReadField());
    if (data_.kind == section)
      findings_.Warn(file_.LastLine(), finding_code::kCountBelowRows, CountBelowRowsMessage(section));
  }

  void ConvertTitleSection() {
    ReadSectionA(data_.titleFields, file_, data_.titleHeader, data_.kind);
    WriteTitleFiles(files_, patterns_, data_.titleFields, data_.titleHeader);
    NoteTitleFindings(findings_, data_.titleFields);
    // The kind the title reader leaves behind is normalised like every other kind the run
    // reads, so a lower-case or full-width letter after a short title section is not lost.
    if (data_.kind.empty()) {
      if (!file_.AtEnd()) data_.kind = NormaliseKind(file_.ReadField());
    } else {
      data_.kind = NormaliseKind(data_.kind);
    }
  }

  // Sections A to H in their fixed order: each test looks at the record kind the step before left.
  void ConvertChainSections() {
    if (data_.kind == U"A") ConvertTitleSection();
    if (data_.kind == U"B") {
      ReadSectionB(data_.layerCount, data_.layers, file_);
      NoteRows(U"B", data_.layers, data_.layerCount);
    }
    if (data_.kind == U"C") {
      ReadSectionC(data_.cCount, data_.cTable, file_);
      WriteX5File(files_, data_.cTable, data_.cCount);
      NoteRows(U"C", data_.cTable, data_.cCount);
    }
    if (data_.kind == U"D") {
      ReadSectionD(data_.dCount, data_.dTable, file_);
      CheckSectionDRows(data_.dTable, data_.dCount);
      data_.dReadFromThisFile = true;
      NoteRows(U"D", data_.dTable, data_.dCount);
    }
    if (data_.kind == U"E") {
      ReadSectionE(data_.eCount, data_.eTable, file_);
      WriteL209File(files_, data_.eTable, data_.eCount);
      NoteRows(U"E", data_.eTable, data_.eCount);
    }
    if (data_.kind == U"F") {
      ReadSectionF(data_.fCount, data_.fTable, file_, data_.fColumnFlag);
      WriteL204File(files_, data_.fTable, data_.fCount, data_.fColumnFlag);
      NoteRows(U"F", data_.fTable, data_.fCount);
    }
    if (data_.kind == U"G") {
      ReadSectionG(data_.gCount, data_.gTable, file_);
      CheckL201Rows(data_.gTable, data_.gCount);
      NoteRows(U"G", data_.gTable, data_.gCount);
    }
    if (data_.kind == U"H") {
      ReadSectionH(data_.hCount, data_.hTable, file_);
      CheckL201Rows(data_.hTable, data_.hCount);
      NoteSectionRows(findings_, U"H", data_.hTable, data_.hCount);
      lastChainSection_ = U"H";
      // The kind stays "H", so rows beyond the count are only passed over by the scan for X.
      if (!file_.AtEnd() && KindOfLine(file_.PeekLine()) == U"H") {
        findings_.Warn(file_.NextLine(), finding_code::kCountBelowRows, CountBelowRowsMessage(U"H"));
      }
    }
    NoteKindAfterChain();
  }

  // The findings of a chain section's rows, then the record kind after them.
  void NoteRows(const Text& kind, const SectionTable& table, std::int16_t count) {
    NoteSectionRows(findings_, kind, table, count);
    lastChainSection_ = kind;
    ReadNextKindAfter(kind);
  }

  // The record kind that ended the chain: X and Z are looked for next; a section of the chain
  // stands after a later one; any other kind is passed over.
  void NoteKindAfterChain() {
    const Text& kind = data_.kind;
    if (kind.empty() || kind == U"X" || kind == U"Z" || kind == lastChainSection_ || !IsLetter(kind)) return;
    long line = file_.LastLine();
    if (IsChainKind(kind)) return findings_.Warn(line, finding_code::kSectionPassedOver, PassedOverMessage(kind));
    findings_.Add(line, Severity::kInfo, finding_code::kKindSkipped, SkippedKindMessage(kind));
  }

  // A line that a scan passes over: the first line of each run of one kind is noted.
  void NoteScannedLine(const Text& kind, const Text& previous, long line) {
    if (kind == previous || !IsLetter(kind)) return;
    if (kind == U"Z") {
      if (passedZLine_ == 0) passedZLine_ = line;
      return;
    }
    if (kind == U"X") return findings_.Warn(line, finding_code::kSectionPassedOver, PassedOverMessage(kind));
    if (IsChainKind(kind)) return findings_.Warn(line, finding_code::kSectionPassedOver, PassedOverMessage(kind));
    findings_.Add(line, Severity::kInfo, finding_code::kKindSkipped, SkippedKindMessage(kind));
  }

  // Reads whole lines until one whose second character, normalised, is the given record kind,
  // and returns the count at its characters 26 to 28. The record kind is left as the last line
  // read gave it.
  // previous: the kind of the lines before the scan, which it does not note again.
  std::optional<HeaderCount> ScanForHeaderLine(const Text& kind, Text previous) {
    while (!file_.AtEnd()) {
      Text line = file_.ReadLine();
      data_.kind = KindOfLine(line);
      if (data_.kind == kind) return CountOf(Mid(line, 26, 3), file_.LastLine(), U"26〜28 文字目");
      NoteScannedLine(data_.kind, previous, file_.LastLine());
      previous = data_.kind;
    }
    return std::nullopt;
  }

  // The X header either follows the chain directly or is found by a line scan.
  void FindSectionX() {
    if (data_.kind == U"X") {
      file_.SkipFields(2);
      Text count = file_.ReadField();
      xHeader_ = CountOf(count, file_.LastLine(), U"4 番目の項目");
    } else {
      xHeader_ = ScanForHeaderLine(U"X", data_.kind);
    }
    if (xHeader_) data_.layerCount = xHeader_->count;
  }

  // Rows of a section's kind right after its counted rows.
  void NoteRowsAfter(const Text& kind, const HeaderCount& header) {
    if (file_.AtEnd() || KindOfLine(file_.PeekLine()) != kind) return;
    if (header.count == 0 && !IsNumeric(header.text)) {
      findings_.Warn(header.line, finding_code::kCountReadsZero,
                     U"セクション " + kind + U" の見出しの件数" + Quoted(header.text) + U"（" + header.where +
                         U"）は数として読めないため 0 件とされ、続く " + kind +
                         U" のデータは変換されません。見出しの件数を数字で書いてください。");
      return;
    }
    findings_.Warn(file_.NextLine(), finding_code::kCountBelowRows, CountBelowRowsMessage(kind));
  }

  // Soil names not yet in the soil table, which the X writer's lookups add to the tables.
  void NoteSoilNamesToLearn() {
    for (int row = 1; row <= data_.layerCount; ++row) {
      Text name = Trim(data_.layers.At(kLayerSoilName, row));
      if (name.empty() || !data_.soilNamesNoted.insert(name).second) continue;
      SoilNamePlace place = SoilNamePlace::kSoilTable;
      try {
        place = LookUpSoilName(patterns_, name);
      } catch (const ConversionError&) {
        continue;  // the lookup of the writer reports a table that cannot be read
      }
      if (place == SoilNamePlace::kSoilTable) continue;
      Text what =
          place == SoilNamePlace::kNowhere
              ? U"は土質パターン表（KISHITU.TXT、XKISHITU."
                U"TXT）にないため、新しいパターンコードを付けて両方の表に追加されます。"
              : U"は KISHITU.TXT になく XKISHITU.TXT にあるため、そのパターンコードで KISHITU.TXT に追加されます。";
      findings_.Add(data_.layers.Line(kLayerSoilName, row), Severity::kInfo, finding_code::kSoilNameLearned,
                    U"土質名" + Quoted(name) + what);
    }
  }

  // The X rows follow the header that FindSectionX consumed.
  void ConvertSectionX() {
    if (file_.AtEnd() || data_.kind != U"X") return;
    if (passedZLine_ != 0) findings_.Warn(passedZLine_, finding_code::kSectionPassedOver, PassedOverMessage(U"Z"));
    ReadSectionX(data_.layerCount, data_.layers, file_);
    NoteSectionRows(findings_, U"X", data_.layers, data_.layerCount);
    NoteRowsAfter(U"X", *xHeader_);
    NoteSoilNamesToLearn();
    WriteX1File(files_, patterns_, data_.layers, data_.layerCount);
    WriteX3File(files_, patterns_, data_.layers, data_.layerCount);
  }

  // Section Z is found by a line scan after section X. When the scan for X ran to the end of the
  // file without finding it, the Z scan goes back to where the X scan began, so that a file
  // without section X keeps its section Z.
  void FindAndConvertSectionZ(const SourceFile::LineMark& xScanStart) {
    bool foundX = data_.kind == U"X";
    data_.kind.clear();
    if (!foundX) file_.ReturnTo(xScanStart);
    std::optional<HeaderCount> header = ScanForHeaderLine(U"Z", foundX ? U"X" : lastChainSection_);
    if (!header) return;
    data_.zCount = header->count;
    ReadSectionZ(data_.zCount, data_.zTable, file_);
    NoteSectionRows(findings_, U"Z", data_.zTable, data_.zCount);
    NoteRowsAfter(U"Z", *header);
    WriteX12File(files_, data_.zTable, data_.zCount);
  }

  // One file for sections G and H together.
  void WriteGAndHFile() {
    if (data_.gCount == 0 && data_.hCount == 0) return;
    WriteL201File(files_, data_.gTable, data_.gCount, data_.hTable, data_.hCount);
  }

  // Section D's files take each sample's layer from X1.txt, so they are written once the X step
  // has written the layers of this same file.
  void WriteSectionDFiles() {
    if (!data_.dReadFromThisFile) return;
    WriteX100File(files_, data_.dTable, data_.dCount);
    WriteX100AFile(files_, data_.dTable, data_.dCount);
  }

  RunData& data_;
  SourceFile& file_;
  BoringFiles& files_;
  PatternData& patterns_;
  FindingList& findings_;
  Text lastChainSection_;
  std::optional<HeaderCount> xHeader_;
  long passedZLine_ = 0;  // the first Z line the scan for X passed over
};

// A file in another encoding stops before anything is read from it; bytes that are no
// character elsewhere are carried through and reported.
void NoteEncoding(FindingList& findings, const std::string& bytes) {
  EncodingCheck check = CheckEncoding(bytes);
  if (check.otherEncoding) {
    Text cause = U"このファイルは Shift-JIS（コードページ 932）ではありません（" + *check.otherEncoding +
                 U"があります）。変換すると文字化けするため変換しません。Shift-JIS で保存し直してください。";
    findings.Add(1, Severity::kError, finding_code::kNotShiftJis, cause);
    throw ConversionError(cause, 1);
  }
  for (long line : check.linesWithInvalidBytes) {
    findings.Warn(
        line, finding_code::kInvalidByte,
        U"この行には Shift-JIS（コードページ 932）の文字ではないバイトがあります。そのまま出力に書かれますが、"
        U"文字化けしている可能性があります。Shift-JIS の文字だけで書いてください。");
  }
}

void NoteIdentifier(FindingList& findings, RunData& data, const Text& name, const Text& identifier) {
  if (IsConvertibleFileName(name)) {
    Text digits = Left(name, 8) + Mid(name, 10, 3);
    if (digits != identifier) {
      findings.Warn(1, finding_code::kIdentifierDiffers,
                    U"ボーリング識別子" + Quoted(identifier) + U"がファイル名" + Quoted(name) + U"の数字" +
                        Quoted(digits) + U"と違います。出力はフォルダ" + Quoted(identifier) +
                        U"に書かれます。識別子とファイル名を合わせてください。");
    }
  }
  auto [seen, first] = data.identifiersSeen.emplace(identifier, name);
  if (first) return;
  findings.Warn(1, finding_code::kIdentifierRepeated,
                U"ボーリング識別子" + Quoted(identifier) + U"は、先に変換したファイル" + Quoted(seen->second) +
                    U"と同じです。同じボーリングフォルダに書き込むため、先のファイルの出力が置き換えられます。");
}

}  // namespace

void ConvertSource(RunData& data, SourceToConvert source, BoringFiles& files, PatternData& patterns,
                   FindingList& findings) {
  NoteIdentifier(findings, data, source.name, source.identifier);
  NoteEncoding(findings, source.bytes);
  SourceFile file(std::move(source.bytes));
  SectionChain(data, file, files, patterns, findings).Run();
}

void NoteStaleOutputs(FindingList& findings, const BoringFiles& files, bool sectionDRead) {
  // One listing of the folder rather than a lookup per name: a name that is missing exactly is
  // looked for without regard to case, which reads the whole folder each time.
  std::vector<Text> onDisk = files.Files().ListPlainFiles(JoinPath(files.Folder(), U"*.*"));
  if (onDisk.empty()) return;
  for (Text& name : onDisk) name = AsciiUpper(name);
  std::vector<Text> kept = files.KeptNames();
  for (const Text& name : kOutputNames) {
    if (std::find(kept.begin(), kept.end(), name) != kept.end()) continue;
    if (std::find(onDisk.begin(), onDisk.end(), AsciiUpper(name)) == onDisk.end()) continue;
    Text message = U"ボーリングフォルダ「" + files.Folder() + U"」に以前の変換の" + Quoted(name) +
                   U"が残っています。このファイルにはそれを書き直すセクションがないため、古い内容のまま残ります。";
    if (name == U"X1.txt" && sectionDRead)
      message += U"セクション D の X100.txt は、この古い X1.txt の層を使っています。";
    findings.Warn(0, finding_code::kStaleOutput, message + U"不要なら削除してください。");
  }
}

}  // namespace tq
