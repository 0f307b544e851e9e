// The Execute command's window on a terminal: messages, questions and progress on stderr.
#pragma once

#include <cstdio>

#include "run/run_observer.h"

namespace tq {

struct CliOptions {
  bool assumeYes = false;      // answer the create-folder question Yes
  bool askOnTerminal = false;  // ask the question when standard input is a terminal
  bool showProgress = false;   // one line per source file on stderr
};

class CliWindow : public RunObserver {
 public:
  explicit CliWindow(CliOptions options, std::FILE* err = stderr, std::FILE* in = stdin)
      : options_(options), err_(err), in_(in) {}

  int MsgBox(const Text& text, int style, const std::optional<Text>& title) override;
  void SetStatusCaption(const Text& caption) override { caption_ = caption; }
  void ReportProgress(int done, int total, const Text& fileName) override;
  void Warning(const Text& text) override;
  void Waiting(const Text& text) override;

  const Text& StatusCaption() const { return caption_; }

 private:
  int Ask(const Text& question);

  CliOptions options_;
  std::FILE* err_;
  std::FILE* in_;
  Text caption_;
};

}  // namespace tq
