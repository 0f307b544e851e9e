// Message boxes and progress of the command line.
#include "cli/cli_window.h"

#include <string>

#include "cli/console.h"

namespace tq {
namespace {

void PrintText(std::FILE* out, const Text& text) { Print(out, ToUtf8(text)); }

}  // namespace

int CliWindow::MsgBox(const Text& text, int style, const std::optional<Text>& title) {
  PrintText(err_, U"tecris2quillo: " + text);
  if (title && *title != kProgramTitle) PrintText(err_, U"（" + *title + U"）");
  PrintText(err_, U"\n");
  if (style != kStyleYesNoQuestion) return kAnswerOk;
  return Ask(text);
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

void CliWindow::Warning(const Text& text) { PrintText(err_, U"tecris2quillo: 警告: " + text + U"\n"); }

void CliWindow::Waiting(const Text& text) {
  PrintText(err_, U"tecris2quillo: " + text + U"\n");
  std::fflush(err_);
}

void CliWindow::ReportProgress(int done, int total, const Text& fileName) {
  if (!options_.showProgress || done >= total) return;
  PrintText(err_, U"[" + DecimalText(done + 1) + U"/" + DecimalText(total) + U"] " + fileName + U"\n");
}

}  // namespace tq
