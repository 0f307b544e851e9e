// Message boxes and progress of the command line.
#include "cli/cli_window.h"

#include <string>

#include "cli/console.h"
#include "cli/native_paths.h"

namespace tq {
namespace {

void PrintText(std::FILE* out, const Text& text) { Print(out, ToUtf8(text)); }

// Columns a text takes on a terminal: two for a character beyond ASCII.
std::size_t Columns(const Text& text) {
  std::size_t columns = 0;
  for (char32_t c : text) columns += c < 0x80 ? 1 : 2;
  return columns;
}

}  // namespace

Text CliWindow::Shown(const Text& text) const {
  return options_.nativePaths ? NativePathsIn(*options_.nativePaths, text) : text;
}

CliWindow::~CliWindow() { PrintHeldFindings(); }

int CliWindow::MsgBox(const Text& text, int style, const std::optional<Text>& title) {
  PrintHeldFindings();
  ClearProgress();
  PrintText(err_, U"tecris2quillo: " + Shown(text));
  if (title && *title != kProgramTitle) PrintText(err_, U"（" + Shown(*title) + U"）");
  PrintText(err_, U"\n");
  if (style != kStyleYesNoQuestion) return kAnswerOk;
  return Ask(text);
}

void CliWindow::PrintLine(const Text& text) {
  PrintHeldFindings();
  ClearProgress();
  PrintText(err_, text + U"\n");
  std::fflush(err_);
}

void CliWindow::ClearProgress() {
  if (progressWidth_ == 0) return;
  PrintText(err_, U"\r" + Text(progressWidth_, U' ') + U"\r");
  progressWidth_ = 0;
}

// Errors are the run's messages; the information is counted in the summary and shown by check.
void CliWindow::Finding(const tq::Finding& finding) {
  if (options_.quiet || finding.severity != Severity::kWarning) return;
  Text where = finding.file + (finding.line > 0 ? U":" + DecimalText(finding.line) : Text());
  heldFindings_ += where + U": 警告: " + Shown(finding.message) + U" [" + FromUtf8(finding.code) + U"]\n";
}

// A file's warnings go out together when its report is complete: one write rather than one a line.
void CliWindow::PrintHeldFindings() {
  if (heldFindings_.empty()) return;
  ClearProgress();
  PrintText(err_, heldFindings_);
  heldFindings_.clear();
  std::fflush(err_);
}

int CliWindow::Ask(const Text&) {
  if (options_.assumeYes) {
    PrintText(err_, U"  → はい（--yes）\n");
    return kAnswerYes;
  }
  if (!options_.askOnTerminal) {
    PrintText(err_, U"  → いいえ（作成するには --yes を付けてください）\n");
    return kAnswerNo;
  }
  for (;;) {
    PrintText(err_, U"  はい = y、いいえ = n: ");
    std::fflush(err_);
    char buffer[64];
    if (std::fgets(buffer, sizeof buffer, in_) == nullptr) return kAnswerNo;
    std::string answer(buffer);
    if (answer[0] == 'y' || answer[0] == 'Y') return kAnswerYes;
    if (answer[0] == 'n' || answer[0] == 'N') return kAnswerNo;
  }
}

void CliWindow::Warning(const Text& text) {
  if (!options_.quiet) PrintLine(U"tecris2quillo: 警告: " + Shown(text));
}

void CliWindow::Waiting(const Text& text) {
  if (!options_.quiet) PrintLine(U"tecris2quillo: " + Shown(text));
}

void CliWindow::ReportProgress(int done, int total, const Text& fileName) {
  if (!options_.showProgress || options_.quiet) return;
  PrintHeldFindings();
  ClearProgress();
  if (done >= total) return;
  Text line = U"[" + DecimalText(done + 1) + U"/" + DecimalText(total) + U"] " + fileName;
  PrintText(err_, line + U"\r");
  std::fflush(err_);
  progressWidth_ = Columns(line);
}

void CliWindow::SourceFileDone(const SourceFileReport& report) {
  PrintHeldFindings();
  ++tally_.files;
  if (!report.written.empty()) ++tally_.borings;
  tally_.written += report.written.size();
  tally_.counts.Add(report.findings);
  if (options_.keepReports) reports_.push_back(report);
}

}  // namespace tq
