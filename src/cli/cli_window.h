// The Execute command's window on a terminal: boxes from arguments, messages on stderr.
#pragma once

#include <cstdio>
#include <vector>

#include "run/execute.h"

namespace tq {

struct CliOptions {
  bool assumeYes = false;      // answer the create-folder question Yes
  bool askOnTerminal = false;  // ask the question when standard input is a terminal
  bool showProgress = false;   // one line per source file on stderr
};

class CliWindow : public RunWindow {
 public:
  CliWindow(Text source, Text destination, std::vector<Text> files, CliOptions options, std::FILE* err = stderr,
            std::FILE* in = stdin)
      : source_(std::move(source)), destination_(std::move(destination)), files_(std::move(files)),
        options_(options), err_(err), in_(in) {}

  int MsgBox(const Text& text, int style, const std::optional<Text>& title) override;
  Text SourceFolderText() override { return source_; }
  Text DestinationText() override { return destination_; }
  void SetStatusCaption(const Text& caption) override { caption_ = caption; }
  void FocusDestinationBox() override {}
  void SetMousePointer(int) override {}
  int FileListCount() override { return static_cast<int>(files_.size()); }
  bool FileListSelected(int) override { return true; }
  Text FileListItem(int index) override { return files_[static_cast<std::size_t>(index)]; }
  void ReportProgress(int done, int total, const Text& fileName) override;
  void Warning(const Text& text) override;

  const Text& StatusCaption() const { return caption_; }

 private:
  int Ask(const Text& question);

  Text source_;
  Text destination_;
  std::vector<Text> files_;
  CliOptions options_;
  std::FILE* err_;
  std::FILE* in_;
  Text caption_;
};

}  // namespace tq
