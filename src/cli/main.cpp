// tecris2quillo: converts TECRIS boring data files from the command line.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "cli/check_command.h"
#include "cli/cli_output.h"
#include "cli/cli_window.h"
#include "cli/command_line.h"
#include "cli/console.h"
#include "cli/native_paths.h"
#include "cli/run_report.h"
#include "cli/run_setup.h"
#include "cli/setup_command.h"
#include "cli/usage_text.h"
#include "patterns/pattern_settings.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "run/execute.h"
#include "run/file_list.h"
#include "run/folder_check.h"

namespace tq {
namespace {

int UsageError(const std::string& message) {
  PrintError(message);
  Print(stderr, "詳しくは tecris2quillo --help を見てください。\n");
  return kExitUsage;
}

int ExitCodeOf(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kCompleted: return kExitCompleted;
    case RunOutcome::kStoppedByCheck: return kExitStopped;
    case RunOutcome::kFileRefused: return kExitRefused;
    case RunOutcome::kConversionFailed: return kExitFailed;
  }
  return kExitFailed;
}

const char* OutcomeName(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kCompleted: return "completed";
    case RunOutcome::kStoppedByCheck: return "stopped";
    case RunOutcome::kFileRefused: return "refused";
    case RunOutcome::kConversionFailed: return "failed";
  }
  return "failed";
}

// How many borings were converted, how many files written and how many findings there were.
std::string RunSummary(const RunTally& tally) {
  std::string text = "tecris2quillo: ボーリング " + std::to_string(tally.borings) + " 本を変換し、ファイル " +
                     std::to_string(tally.written) + " 個を書き込みました（" + CountsText(tally.counts) + "）。\n";
  if (tally.counts.infos > 0) text += "tecris2quillo: 情報の内容は tecris2quillo check で表示できます。\n";
  return text;
}

int List(const std::vector<std::string>& args, bool why) {
  if (args.size() != 1) return UsageError("list には変換元フォルダを一つ指定してください。");
  const FileSystem files = FileSystem::FromEnvironment();
  std::optional<Text> folder = FolderArgument(files, args[0]);
  if (!folder) return kExitUsage;
  Text listed = FolderAsTheRunReadsIt(files, *folder);
  if (!files.IsFolder(listed)) {
    PrintError("フォルダ「" + args[0] + "」がありません。");
    return kExitStopped;
  }
  if (!why) {
    for (const Text& name : ListConvertibleFiles(files, listed)) Print(stdout, ToUtf8(name) + "\n");
    return kExitCompleted;
  }
  std::string text;
  for (const ListedFile& file : ListFilesWithReasons(files, listed)) {
    text += ToUtf8(file.name) + (file.whyNotOffered ? "\t変換できません: " + ToUtf8(*file.whyNotOffered) : "") + "\n";
  }
  Print(stdout, text);
  return kExitCompleted;
}

// Seconds, fractions allowed, up to a day.
std::optional<std::chrono::milliseconds> LockWaitOf(const std::string& seconds) {
  char* end = nullptr;
  double value = std::strtod(seconds.c_str(), &end);
  if (seconds.empty() || *end != '\0' || !(value >= 0 && value <= 86400)) return std::nullopt;
  return std::chrono::milliseconds(static_cast<long long>(value * 1000));
}

int Convert(const CommandLine& line) {
  if (line.arguments.size() < 2) return UsageError("convert には変換元フォルダと変換先フォルダを指定してください。");
  std::optional<std::chrono::milliseconds> lockWait;
  if (line.lockWait && !(lockWait = LockWaitOf(*line.lockWait))) {
    return UsageError("--lock-wait には 0 から 86400 までの秒数を指定してください: " + *line.lockWait);
  }
  Converter converter(FileSystem::FromEnvironment());
  if (!SetUpPatternFolder(converter.Patterns(), line.patternFolder)) return kExitStopped;
  if (lockWait) converter.Patterns().SetLockWait(*lockWait);
  const FileSystem& fs = converter.Files();
  std::optional<Text> source = FolderArgument(fs, line.arguments[0]);
  std::optional<Text> destination = FolderArgument(fs, line.arguments[1]);
  if (!source || !destination) return kExitUsage;
  RunRequest request{*source, *destination, {}};
  for (std::size_t i = 2; i < line.arguments.size(); ++i) request.files.push_back(FromUtf8(line.arguments[i]));
  if (request.files.empty()) request.files = ListConvertibleFiles(fs, FolderAsTheRunReadsIt(fs, *source));

  CliOptions options;
  options.assumeYes = line.yes;
  options.askOnTerminal = IsTerminal(stdin);
  options.showProgress = IsTerminal(stderr);
  options.quiet = line.quiet;
  options.keepReports = line.json;
  if (!IsDriveForm(line.arguments[0]) || !IsDriveForm(line.arguments[1])) options.nativePaths = &fs;
  CliWindow window(options);
  RunOutcome outcome = Command1_Click(converter, request, window);
  window.PrintHeldFindings();
  if (line.json) {
    Print(stdout, RunReportJson(window.Reports(), OutcomeName(outcome)));
  } else if (!line.quiet) {
    if (outcome == RunOutcome::kCompleted) Print(stdout, ToUtf8(window.StatusCaption()) + "\n");
    if (window.Tally().files > 0 || outcome == RunOutcome::kCompleted) Print(stderr, RunSummary(window.Tally()));
  }
  return ExitCodeOf(outcome);
}

int Help(const std::string& topic) {
  std::string usage = UsageText(topic);
  if (usage.empty()) return UsageError("知らないコマンドです: " + topic);
  Print(stdout, usage);
  return kExitCompleted;
}

int Main(int argc, char** argv) {
  CommandLine line = ParseCommandLine(CommandLineArguments(argc, argv));
  if (!line.usageError.empty()) return UsageError(line.usageError);
  switch (line.command) {
    case Command::kNone: return UsageError("コマンドを指定してください（convert、check、list または setup）。");
    case Command::kHelp: return Help(line.helpTopic);
    case Command::kVersion: Print(stdout, "tecris2quillo " TECRIS2QUILLO_VERSION "\n"); return kExitCompleted;
    case Command::kConvert: return Convert(line);
    case Command::kCheck: return RunCheck(line);
    case Command::kList: return List(line.arguments, line.why);
    case Command::kSetup:
      if (!line.arguments.empty()) return UsageError("setup にはフォルダを --pattern-folder で指定してください。");
      return RunSetup(line.patternFolder);
  }
  return kExitUsage;
}

}  // namespace
}  // namespace tq

int main(int argc, char** argv) { return tq::Main(argc, argv); }
