// The Execute command's window on a terminal: messages, questions and progress on stderr.
#pragma once

#include <cstdio>
#include <vector>

#include "cli/run_report.h"
#include "platform/file_system.h"
#include "run/run_observer.h"

namespace tq {

struct CliOptions {
  bool assumeYes = false;      // answer the create-folder question Yes
  bool askOnTerminal = false;  // ask the question when standard input is a terminal
  bool showProgress = false;   // one line on stderr, updated in place for each source file
  bool quiet = false;          // errors only: no warnings, waits or progress
  bool keepReports = false;    // every file's report, for the JSON report; else only the tally
  // When set, the drive-form paths of the messages are shown as the native paths they name.
  const FileSystem* nativePaths = nullptr;
};

// What the summary line says of a run: kept as the run goes, so that a batch of any length
// costs the same memory.
struct RunTally {
  std::size_t files = 0;    // source files reported
  std::size_t borings = 0;  // of them, converted
  std::size_t written = 0;  // output files put in place
  FindingCounts counts;
};

class CliWindow : public RunObserver {
 public:
  explicit CliWindow(CliOptions options, std::FILE* err = stderr, std::FILE* in = stdin)
      : options_(options), err_(err), in_(in) {}

  ~CliWindow() override;
  CliWindow(const CliWindow&) = delete;
  CliWindow& operator=(const CliWindow&) = delete;

  int MsgBox(const Text& text, int style, const std::optional<Text>& title) override;
  // Writes the warnings held for the file in hand, which otherwise go out with its report.
  void PrintHeldFindings();
  void SetStatusCaption(const Text& caption) override { caption_ = caption; }
  void ReportProgress(int done, int total, const Text& fileName) override;
  void Warning(const Text& text) override;
  void Waiting(const Text& text) override;
  void Finding(const tq::Finding& finding) override;
  void SourceFileDone(const SourceFileReport& report) override;

  const Text& StatusCaption() const { return caption_; }
  // What became of each source file the run took up, in order (kept with keepReports only).
  const std::vector<SourceFileReport>& Reports() const { return reports_; }
  const RunTally& Tally() const { return tally_; }

 private:
  int Ask(const Text& question);
  // Prints a line of its own, first clearing the progress line.
  void PrintLine(const Text& text);
  void ClearProgress();
  Text Shown(const Text& text) const;

  CliOptions options_;
  std::FILE* err_;
  std::FILE* in_;
  Text caption_;
  std::vector<SourceFileReport> reports_;
  RunTally tally_;
  Text heldFindings_;              // warning lines of the file in hand
  std::size_t progressWidth_ = 0;  // columns of the progress line on the terminal, 0 when none
};

}  // namespace tq
