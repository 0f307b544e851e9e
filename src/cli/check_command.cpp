// tecris2quillo check: source files read as convert reads them, their findings on stdout.
#include "cli/check_command.h"

#include <cstdio>

#include "cli/cli_output.h"
#include "cli/native_paths.h"
#include "cli/run_report.h"
#include "cli/run_setup.h"
#include "run/check.h"
#include "run/file_list.h"

namespace tq {
namespace {

// The files to check: a folder with the names given (all convertible files when none are), or
// one source file given by its path.
struct CheckTarget {
  Text folder;
  std::vector<Text> names;
  std::optional<Text> givenFile;  // the path of a single source file as typed
};

std::optional<CheckTarget> TargetOf(const FileSystem& fs, const std::vector<std::string>& args, int& status) {
  status = kExitUsage;
  std::optional<Text> source = FolderArgument(fs, args[0]);
  if (!source) return std::nullopt;
  Text folder = FolderAsTheRunReadsIt(fs, *source);
  if (fs.IsFolder(folder)) {
    CheckTarget target{folder, {}, std::nullopt};
    for (std::size_t i = 1; i < args.size(); ++i) target.names.push_back(FromUtf8(args[i]));
    if (target.names.empty()) target.names = ListConvertibleFiles(fs, folder);
    return target;
  }
  if (!fs.IsPlainFile(*source)) {
    PrintError("「" + args[0] + "」というフォルダもファイルもありません。");
    return std::nullopt;
  }
  if (args.size() > 1) {
    PrintError("変換元にファイル「" + args[0] + "」を指定したときは、ほかのファイル名は指定できません。");
    return std::nullopt;
  }
  std::size_t slash = source->rfind(U'\\');
  return CheckTarget{source->substr(0, slash + 1), {source->substr(slash + 1)}, FromUtf8(args[0])};
}

int ExitStatusOf(const FindingCounts& counts) {
  if (counts.errors > 0) return kExitFailed;
  return counts.warnings > 0 ? kExitStopped : kExitCompleted;
}

void PrintFindings(const std::vector<SourceFileReport>& reports, const FindingCounts& counts) {
  std::string text;
  for (const SourceFileReport& report : reports) {
    for (const Finding& finding : report.findings) text += FindingLine(finding);
  }
  text += std::to_string(reports.size()) + " ファイルを確認しました: " + CountsText(counts) + "\n";
  Print(stdout, text);
}

}  // namespace

int RunCheck(const CommandLine& line) {
  if (line.arguments.empty()) {
    PrintError("check には変換元フォルダ（またはファイル）を指定してください。");
    Print(stderr, "詳しくは tecris2quillo check --help を見てください。\n");
    return kExitUsage;
  }
  Converter converter(FileSystem::FromEnvironment());
  if (!SetUpPatternFolder(converter.Patterns(), line.patternFolder)) return kExitFailed;
  int status = kExitUsage;
  std::optional<CheckTarget> target = TargetOf(converter.Files(), line.arguments, status);
  if (!target) return status;
  std::vector<SourceFileReport> reports = CheckSourceFiles(converter, target->folder, target->names);
  if (target->givenFile) {
    reports[0].source = *target->givenFile;
    for (Finding& finding : reports[0].findings) finding.file = *target->givenFile;
  }
  FindingCounts counts;
  for (SourceFileReport& report : reports) {
    counts.Add(report.findings);
    if (IsDriveForm(line.arguments[0])) continue;
    for (Finding& finding : report.findings) finding.message = NativePathsIn(converter.Files(), finding.message);
  }
  if (line.json) {
    Print(stdout, CheckJson(reports));
  } else {
    PrintFindings(reports, counts);
  }
  return ExitStatusOf(counts);
}

}  // namespace tq
