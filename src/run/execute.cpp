// The Execute command: folder checks, the per-file loop and the section chain.
#include "run/execute.h"

#include <algorithm>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "common/errors.h"
#include "platform/boring_files.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "run/commit_worker.h"
#include "run/folder_check.h"
#include "run/run_data.h"
#include "run/source_conversion.h"
#include "run/source_identity.h"

namespace tq {
namespace {

inline const Text kInvalidPathMessage = U"指定されたパスは正しくありません。";
inline const Text kTrailingBackslashMessage = U"最後のフォルダに「￥」は要りません。";
inline const Text kNothingSelectedMessage = U"変換元ファイルが選択されていません。";
inline const Text kInvalidFileMessage = U"指定されたﾌｧｲﾙは正しくありません";

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
    CommitWorker worker;
    ScopedCommitting committing(*this, worker);
    for (int i = 1; i <= count; ++i) {
      const Text& name = names[static_cast<std::size_t>(i)];
      observer_.ReportProgress(i - 1, count, name);
      std::optional<RunOutcome> stop = ConvertOne(name, JoinPath(source, name), prefix);
      if (stop) return *stop;
    }
    if (std::optional<RunOutcome> stop = FinishCommitting()) return *stop;
    observer_.ReportProgress(count, count, Text());
    converter_.FinishedFlag() = 1;
    observer_.SetStatusCaption(kCaptionFinished);
    observer_.SetMousePointer(kPointerDefault);
    return RunOutcome::kCompleted;
  }

  // A boring whose files are going into place on the worker, and what is reported of it once
  // they are: it counts as converted only then.
  struct Committing {
    Text sourcePath;
    Text folder;
    std::size_t bytes = 0;
    SourceFileReport report;
    FindingList findings;
  };

  // How far the worker may fall behind: enough borings to even out one slow to write against
  // one slow to convert, few enough bytes that a long batch keeps little in memory.
  static constexpr std::size_t kMostBoringsInHand = 8;
  static constexpr std::size_t kMostBytesInHand = 4 << 20;

  // Thrown through the conversion of a boring when an earlier one could not be put in place: the
  // run stops there, and nothing of the later borings is written or reported.
  struct EarlierBoringFailed {
    RunOutcome outcome;
  };

  // The worker of the loop, and the wait for it before the soil pattern tables change.
  class ScopedCommitting {
   public:
    ScopedCommitting(ExecuteCommand& command, CommitWorker& worker)
        : command_(command),
          previous_(command.converter_.Patterns().SetBeforeTablesChange([&command] { command.AwaitCommitting(); })) {
      command_.worker_ = &worker;
    }
    ~ScopedCommitting() {
      command_.converter_.Patterns().SetBeforeTablesChange(std::move(previous_));
      command_.committing_.clear();
      command_.bytesInHand_ = 0;
      command_.worker_ = nullptr;
    }
    ScopedCommitting(const ScopedCommitting&) = delete;
    ScopedCommitting& operator=(const ScopedCommitting&) = delete;

   private:
    ExecuteCommand& command_;
    std::function<void()> previous_;
  };

  std::optional<RunOutcome> ConvertOne(const Text& name, const Text& sourcePath, const Text& prefix) {
    try {
      return ConvertOrStop(name, sourcePath, prefix);
    } catch (const EarlierBoringFailed& failed) {
      return failed.outcome;
    }
  }

  // Converts a file and hands its boring to the worker, or reports why the run stops at it. The
  // boring before it is collected and reported first, so reports keep the order of the files.
  std::optional<RunOutcome> ConvertOrStop(const Text& name, const Text& sourcePath, const Text& prefix) {
    SourceFileReport report{name, Text(), {}, {}};
    FindingList findings;
    std::optional<RunOutcome> stop;
    try {
      std::optional<std::string> bytes = ReadSourceBytes(files_, sourcePath);
      report.boring = bytes ? BoringIdentifierOf(*bytes) : Text();
      if (report.boring.empty()) {
        AwaitCommitting();
        Text why = WhyFileIsRefused(files_, sourcePath);
        findings.Add(0, Severity::kError, finding_code::kFileRefused, why);
        observer_.MsgBox(kInvalidFileMessage + U"\n" + why, kStyleOkOnly, std::nullopt);
        stop = StopBusy(RunOutcome::kFileRefused);
      } else {
        Text folder = prefix + report.boring;
        // A boring repeated in a later file reads the folder the first is going into.
        if (GoingIntoPlace(folder)) AwaitCommitting();
        BoringFiles boring = Convert(name, std::move(*bytes), folder, report.boring, findings);
        std::size_t outputBytes = boring.KeptBytes();
        MakeRoomFor(outputBytes);
        report.written = boring.KeptNames();
        committing_.push_back({sourcePath, folder, outputBytes, std::move(report), std::move(findings)});
        bytesInHand_ += outputBytes;
        worker_->Start([boring = std::move(boring)]() mutable { boring.CommitAll(); });
        return std::nullopt;
      }
    } catch (const ConversionError& error) {
      AwaitCommitting();
      stop = StopAt(sourcePath, error, findings);
    }
    Report(std::move(report), findings);
    return stop;
  }

  // The boring's outputs, kept in memory until they are put in place together.
  BoringFiles Convert(const Text& name, std::string bytes, const Text& folder, const Text& identifier,
                      FindingList& findings) {
    // Refused before the conversion, so that a linked folder teaches the tables nothing either.
    bool folderExists = RefuseLinkedBoringFolder(files_, folder);
    BoringFiles boring(files_, folder, BoringFiles::Mode::kWholeBoring);
    ConvertSource(data_, {name, identifier, std::move(bytes)}, boring, converter_.Patterns(), findings);
    if (folderExists) NoteStaleOutputs(findings, boring, data_.dReadFromThisFile);
    return boring;
  }

  bool GoingIntoPlace(const Text& folder) const {
    Text upper = AsciiUpper(folder);
    return std::any_of(committing_.begin(), committing_.end(),
                       [&upper](const Committing& c) { return AsciiUpper(c.folder) == upper; });
  }

  // Collects the oldest borings going into place until one of outputBytes more can be handed over.
  void MakeRoomFor(std::size_t outputBytes) {
    while (!committing_.empty() &&
           (committing_.size() >= kMostBoringsInHand || bytesInHand_ + outputBytes > kMostBytesInHand)) {
      if (std::optional<RunOutcome> stop = FinishOldest()) throw EarlierBoringFailed{*stop};
    }
  }

  // Waits for every boring going into place and reports them; throws EarlierBoringFailed when
  // one could not be put in place.
  void AwaitCommitting() {
    if (std::optional<RunOutcome> stop = FinishCommitting()) throw EarlierBoringFailed{*stop};
  }

  std::optional<RunOutcome> FinishCommitting() {
    while (!committing_.empty()) {
      if (std::optional<RunOutcome> stop = FinishOldest()) return stop;
    }
    return std::nullopt;
  }

  // Waits for the oldest boring going into place and reports it. When it could not be put in
  // place, the run stops at it: the later ones were never written and are dropped unreported.
  std::optional<RunOutcome> FinishOldest() {
    Committing done = std::move(committing_.front());
    committing_.pop_front();
    bytesInHand_ -= done.bytes;
    std::optional<RunOutcome> stop;
    try {
      worker_->Collect();
    } catch (const ConversionError& error) {
      done.report.written.clear();
      committing_.clear();
      bytesInHand_ = 0;
      stop = StopAt(done.sourcePath, error, done.findings);
    }
    Report(std::move(done.report), done.findings);
    return stop;
  }

  RunOutcome StopAt(const Text& sourcePath, const ConversionError& error, FindingList& findings) {
    if (!findings.HasError()) findings.Add(error.Line(), Severity::kError, finding_code::kFileStopped, error.Cause());
    observer_.MsgBox(FailureMessage(sourcePath, error), kStyleOkExclamation, std::nullopt);
    return StopBusy(RunOutcome::kConversionFailed);
  }

  void Report(SourceFileReport report, const FindingList& findings) {
    for (Finding finding : SortedByLine(findings.All())) {
      finding.file = report.source;
      observer_.Finding(finding);
      report.findings.push_back(std::move(finding));
    }
    observer_.SourceFileDone(report);
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
  CommitWorker* worker_ = nullptr;
  std::deque<Committing> committing_;  // oldest first
  std::size_t bytesInHand_ = 0;
};

}  // namespace

RunOutcome Command1_Click(Converter& converter, const RunRequest& request, RunObserver& observer) {
  return ExecuteCommand(converter, request, observer).Run();
}

}  // namespace tq
