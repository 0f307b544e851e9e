// The Execute command: folder checks, the per-file loop and the section chain.
#include "run/execute.h"

#include <optional>
#include <set>
#include <vector>

#include "common/errors.h"
#include "common/source_file.h"
#include "common/values.h"
#include "platform/boring_files.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "run/folder_check.h"
#include "run/run_data.h"
#include "run/source_identity.h"
#include "sections/layers.h"
#include "sections/layers_x3.h"
#include "sections/row_line.h"
#include "sections/section_a.h"
#include "sections/section_c.h"
#include "sections/section_d_x100.h"
#include "sections/section_d_x100a.h"
#include "sections/section_e.h"
#include "sections/section_f.h"
#include "sections/section_gh.h"
#include "sections/section_z.h"

namespace tq {
namespace {

inline const Text kInvalidPathMessage = U"指定されたパスは正しくありません。";
inline const Text kTrailingBackslashMessage = U"最後のフォルダに「￥」は要りません。";
inline const Text kNothingSelectedMessage = U"変換元ファイルが選択されていません。";
inline const Text kInvalidFileMessage = U"指定されたﾌｧｲﾙは正しくありません";

// Reads the next record kind, normalised, unless the file has ended.
void ReadNextKind(RunData& data, SourceFile& file) {
  data.kind.clear();
  if (!file.AtEnd()) data.kind = NormaliseKind(file.ReadField());
}

// The count of a header from NumOrZero of its text; a number beyond single precision stops the
// file at the header's line like any other count that does not fit.
std::int16_t HeaderCount(const Text& text, long lineNumber) {
  double value = AtLine(lineNumber, [&text] { return NumOrZero(text); });
  return SectionCount(value, text, lineNumber);
}

// The count at characters 26 to 28 of a section header line.
std::int16_t HeaderLineCount(const Text& line, long lineNumber) { return HeaderCount(Mid(line, 26, 3), lineNumber); }

// Sections A to H in their fixed order: each test looks at the record kind the step before left.
void ConvertChainSections(RunData& data, SourceFile& file, BoringFiles& files, const PatternData& patterns) {
  if (data.kind == U"A") {
    ReadSectionA(data.titleFields, file, data.titleHeader, data.kind);
    WriteTitleFiles(files, patterns, data.titleFields, data.titleHeader);
    // The kind the title reader leaves behind is normalised like every other kind the run
    // reads, so a lower-case or full-width letter after a short title section is not lost.
    if (data.kind.empty()) {
      if (!file.AtEnd()) data.kind = NormaliseKind(file.ReadField());
    } else {
      data.kind = NormaliseKind(data.kind);
    }
  }
  if (data.kind == U"B") {
    ReadSectionB(data.layerCount, data.layers, file);
    ReadNextKind(data, file);
  }
  if (data.kind == U"C") {
    ReadSectionC(data.cCount, data.cTable, file);
    WriteX5File(files, data.cTable, data.cCount);
    ReadNextKind(data, file);
  }
  if (data.kind == U"D") {
    ReadSectionD(data.dCount, data.dTable, file);
    CheckSectionDRows(data.dTable, data.dCount);
    data.dReadFromThisFile = true;
    ReadNextKind(data, file);
  }
  if (data.kind == U"E") {
    ReadSectionE(data.eCount, data.eTable, file);
    WriteL209File(files, data.eTable, data.eCount);
    ReadNextKind(data, file);
  }
  if (data.kind == U"F") {
    ReadSectionF(data.fCount, data.fTable, file, data.fColumnFlag);
    WriteL204File(files, data.fTable, data.fCount, data.fColumnFlag);
    ReadNextKind(data, file);
  }
  if (data.kind == U"G") {
    ReadSectionG(data.gCount, data.gTable, file);
    CheckL201Rows(data.gTable, data.gCount);
    ReadNextKind(data, file);
  }
  if (data.kind == U"H") {
    ReadSectionH(data.hCount, data.hTable, file);
    CheckL201Rows(data.hTable, data.hCount);
  }
}

// One file for sections G and H together.
void WriteGAndHFile(const RunData& data, BoringFiles& files) {
  if (data.gCount == 0 && data.hCount == 0) return;
  WriteL201File(files, data.gTable, data.gCount, data.hTable, data.hCount);
}

// Section D's files take each sample's layer from X1.txt, so they are written once the X step
// has written the layers of this same file.
void WriteSectionDFiles(const RunData& data, BoringFiles& files) {
  if (!data.dReadFromThisFile) return;
  WriteX100File(files, data.dTable, data.dCount);
  WriteX100AFile(files, data.dTable, data.dCount);
}

// Reads whole lines until one whose second character, normalised, is the given record kind,
// and returns the count at its characters 26 to 28. The record kind is left as the last line
// read gave it.
std::optional<std::int16_t> ScanForHeaderLine(RunData& data, SourceFile& file, const Text& kind) {
  while (!file.AtEnd()) {
    Text line = file.ReadLine();
    data.kind = NormaliseKind(Mid(line, 2, 1));
    if (data.kind == kind) return HeaderLineCount(line, file.LastLine());
  }
  return std::nullopt;
}

// The X header either follows the chain directly or is found by a line scan.
void FindSectionX(RunData& data, SourceFile& file) {
  if (data.kind == U"X") {
    file.SkipFields(2);
    Text count = file.ReadField();
    data.layerCount = HeaderCount(count, file.LastLine());
    return;
  }
  if (std::optional<std::int16_t> count = ScanForHeaderLine(data, file, U"X")) data.layerCount = *count;
}

// The X rows follow the header that FindSectionX consumed.
void ConvertSectionX(RunData& data, SourceFile& file, BoringFiles& files, PatternData& patterns) {
  if (file.AtEnd() || data.kind != U"X") return;
  ReadSectionX(data.layerCount, data.layers, file);
  WriteX1File(files, patterns, data.layers, data.layerCount);
  WriteX3File(files, patterns, data.layers, data.layerCount);
}

// Section Z is found by a line scan after section X. When the scan for X ran to the end of the
// file without finding it, the Z scan goes back to where the X scan began, so that a file
// without section X keeps its section Z.
void FindAndConvertSectionZ(RunData& data, SourceFile& file, BoringFiles& files,
                            const SourceFile::LineMark& xScanStart) {
  bool foundX = data.kind == U"X";
  data.kind.clear();
  if (!foundX) file.ReturnTo(xScanStart);
  std::optional<std::int16_t> count = ScanForHeaderLine(data, file, U"Z");
  if (!count) return;
  data.zCount = *count;
  ReadSectionZ(data.zCount, data.zTable, file);
  WriteX12File(files, data.zTable, data.zCount);
}

void ConvertSourceFile(RunData& data, SourceFile& file, BoringFiles& files, PatternData& patterns) {
  data.gCount = 0;
  data.hCount = 0;
  // A short title section must never carry another boring's title into this one.
  data.titleFields = TitleFields();
  data.titleHeader.clear();
  data.dReadFromThisFile = false;
  data.kind = NormaliseKind(file.ReadField());
  ConvertChainSections(data, file, files, patterns);
  WriteGAndHFile(data, files);
  SourceFile::LineMark xScanStart = file.MarkLineStart();
  FindSectionX(data, file);
  ConvertSectionX(data, file, files, patterns);
  WriteSectionDFiles(data, files);
  FindAndConvertSectionZ(data, file, files, xScanStart);
}

// A file that stops leaves its boring folder as it was, so the message says that nothing of it
// was written.
Text FailureMessage(const Text& sourcePath, const ConversionError& error) {
  Text where = U"変換元ファイル「" + sourcePath + U"」";
  if (error.Line() > 0) where += U"の " + DecimalText(error.Line()) + U" 行目";
  return where + U"で変換を中止しました。\n" + error.Cause() +
         U"\nこのボーリングのファイルは一つも書き込んでいません。";
}

// Sends the pattern data's warnings to the observer, each distinct one once, and its waits for
// other converters, while the command runs.
class ScopedRunWarnings {
 public:
  ScopedRunWarnings(PatternData& patterns, RunObserver& observer)
      : patterns_(patterns),
        previous_(patterns.SetWarningSink([this, &observer](const Text& warning) {
          if (shown_.insert(warning).second) observer.Warning(warning);
        })),
        previousWait_(patterns.SetWaitSink([&observer](const Text& notice) {
          if (notice.empty()) return observer.SetStatusCaption(kCaptionConverting);
          observer.Waiting(notice);
        })) {}
  ~ScopedRunWarnings() {
    patterns_.SetWarningSink(std::move(previous_));
    patterns_.SetWaitSink(std::move(previousWait_));
  }
  ScopedRunWarnings(const ScopedRunWarnings&) = delete;
  ScopedRunWarnings& operator=(const ScopedRunWarnings&) = delete;

 private:
  PatternData& patterns_;
  std::set<Text> shown_;
  WarningSink previous_;
  WaitSink previousWait_;
};

class ExecuteCommand {
 public:
  ExecuteCommand(Converter& converter, const RunRequest& request, RunObserver& observer)
      : converter_(converter), files_(converter.Files()), request_(request), observer_(observer) {}

  RunOutcome Run() {
    ScopedFolderCache folders(files_);
    observer_.SetStatusCaption(kCaptionConverting);
    Text source = request_.sourceFolder;
    if (!CheckFolderPath(files_, source, observer_)) {
      observer_.MsgBox(kInvalidPathMessage, kStyleOkExclamation, source);
      return Stop(RunOutcome::kStoppedByCheck);
    }
    Text destination = request_.destination;
    if (!CheckFolderPath(files_, destination, observer_)) {
      observer_.MsgBox(kInvalidPathMessage, kStyleOkExclamation, destination);
      observer_.FocusDestinationBox();
      return Stop(RunOutcome::kStoppedByCheck);
    }
    if (EndsWith(request_.destination, U"\\")) {
      observer_.MsgBox(kTrailingBackslashMessage, kStyleOkExclamation, destination);
      return Stop(RunOutcome::kStoppedByCheck);
    }
    try {
      if (EnsureDestinationFolder(files_, destination, observer_) == EnsureResult::kDeclined) {
        return Stop(RunOutcome::kStoppedByCheck);
      }
    } catch (const ConversionError& error) {
      observer_.MsgBox(error.Cause(), kStyleOkExclamation, std::nullopt);
      return Stop(RunOutcome::kConversionFailed);
    }
    observer_.SetMousePointer(kPointerHourglass);
    return ConvertSelectedFiles(source, destination);
  }

 private:
  RunOutcome ConvertSelectedFiles(const Text& source, const Text& destination) {
    ScopedRunWarnings warnings(converter_.Patterns(), observer_);
    converter_.Patterns().StartRun();
    std::vector<Text> names;
    std::int32_t count = 0;
    NumberSelectedFiles(request_.files, names, count);
    if (count == 0) {
      observer_.MsgBox(kNothingSelectedMessage, kStyleOkOnly, std::nullopt);
      return StopBusy(RunOutcome::kStoppedByCheck);
    }
    // Both prefixes come from the checked, completed folder texts, so the files are read
    // from and written to the folders that were checked and created.
    Text prefix = WithBackslash(destination);
    for (int i = 1; i <= count; ++i) {
      const Text& name = names[static_cast<std::size_t>(i)];
      observer_.ReportProgress(i - 1, count, name);
      std::optional<RunOutcome> stop = ConvertOne(JoinPath(source, name), prefix);
      if (stop) return *stop;
    }
    observer_.ReportProgress(count, count, Text());
    converter_.FinishedFlag() = 1;
    observer_.SetStatusCaption(kCaptionFinished);
    observer_.SetMousePointer(kPointerDefault);
    return RunOutcome::kCompleted;
  }

  std::optional<RunOutcome> ConvertOne(const Text& sourcePath, const Text& prefix) {
    try {
      std::optional<std::string> bytes = ReadSourceBytes(files_, sourcePath);
      Text identifier = bytes ? BoringIdentifierOf(*bytes) : Text();
      if (identifier.empty()) {
        observer_.MsgBox(kInvalidFileMessage, kStyleOkOnly, std::nullopt);
        return StopBusy(RunOutcome::kFileRefused);
      }
      // Refused before the conversion, so that a linked folder teaches the tables nothing either.
      RefuseLinkedBoringFolder(files_, prefix + identifier);
      SourceFile file(std::move(*bytes));
      BoringFiles boring(files_, prefix + identifier, BoringFiles::Mode::kWholeBoring);
      ConvertSourceFile(data_, file, boring, converter_.Patterns());
      boring.CommitAll();
    } catch (const ConversionError& error) {
      observer_.MsgBox(FailureMessage(sourcePath, error), kStyleOkExclamation, std::nullopt);
      return StopBusy(RunOutcome::kConversionFailed);
    }
    return std::nullopt;
  }

  RunOutcome Stop(RunOutcome outcome) {
    observer_.SetStatusCaption(Text());
    return outcome;
  }

  RunOutcome StopBusy(RunOutcome outcome) {
    observer_.SetMousePointer(kPointerDefault);
    return Stop(outcome);
  }

  Converter& converter_;
  FileSystem& files_;
  const RunRequest& request_;
  RunObserver& observer_;
  RunData data_;
};

}  // namespace

RunOutcome Command1_Click(Converter& converter, const RunRequest& request, RunObserver& observer) {
  return ExecuteCommand(converter, request, observer).Run();
}

}  // namespace tq
