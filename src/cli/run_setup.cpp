// The folder arguments and the pattern folder of convert and check.
#include "cli/run_setup.h"

#include "cli/cli_output.h"
#include "cli/native_paths.h"
#include "patterns/pattern_settings.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "run/folder_check.h"

namespace tq {
namespace {

// Message boxes outside a run (the pattern folder check) go to stderr too.
class StderrBoxes : public MessageBoxes {
 public:
  int MsgBox(const Text& text, int, const std::optional<Text>&) override {
    PrintError(ToUtf8(text));
    return kAnswerOk;
  }
};

}  // namespace

std::optional<Text> FolderArgument(const FileSystem& files, const std::string& argument) {
  std::optional<Text> path = ToDriveForm(files, argument);
  if (!path) PrintError("「" + argument + "」はどのドライブにもないパスです。");
  return path;
}

Text FolderAsTheRunReadsIt(const FileSystem& files, const Text& folder) {
  Text checked = folder;
  return CompleteFolderPath(files, checked) ? checked : folder;
}

bool SetUpPatternFolder(PatternData& patterns, const std::optional<std::string>& option) {
  StderrBoxes boxes;
  if (!option) return LoadPatternFolder(patterns, boxes);
  std::optional<Text> folder = ToDriveForm(patterns.Files(), *option);
  return UsePatternFolder(patterns, WithBackslash(folder ? *folder : FromUtf8(*option)), boxes);
}

}  // namespace tq
