// tecris2quillo: converts TECRIS boring data files from the command line.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/cli_window.h"
#include "cli/native_paths.h"
#include "patterns/pattern_settings.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "run/execute.h"
#include "run/file_list.h"
#include "run/folder_check.h"

namespace tq {
namespace {

constexpr int kExitCompleted = 0;
constexpr int kExitStopped = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRefused = 3;
constexpr int kExitFailed = 4;

const char kUsage[] =
    "使い方:\n"
    "  tecris2quillo convert [--pattern-folder DIR] [--lock-wait 秒] [--yes] 変換元フォルダ 変換先フォルダ [ファイル ...]\n"
    "  tecris2quillo list 変換元フォルダ\n"
    "  tecris2quillo --help | --version\n"
    "\n"
    "convert  変換元フォルダのファイル（省略時は変換できるファイルすべてを名前順に）を変換し、\n"
    "         変換先フォルダの下のボーリングごとのフォルダに書き出します。\n"
    "list     変換元フォルダの変換できるファイルを一行に一つずつ表示します。\n"
    "\n"
    "  --pattern-folder DIR  PatdatV5.ini の代わりにこのパターンデータフォルダを使います。\n"
    "  --yes                 変換先フォルダがないとき、たずねずに作成します。\n"
    "  --lock-wait 秒        ほかの変換が土質パターン表を使用中のとき、空くまで待つ秒数（既定 30）。\n"
    "\n"
    "フォルダは Linux のパス（/home/... や相対パス）でも、ドライブ形式（Z:\\data）でも指定できます。\n"
    "ドライブは TECRIS2QUILLO_DRIVES（例 C=/srv/borings;D=/mnt/usb）で定義します。Z: は / です。\n"
    "土質名を土質パターン表に追加したときの目印 PATADD.txt は、プログラムのフォルダ\n"
    "（TECRIS2QUILLO_PROGRAM_FOLDER があればそのフォルダ）に作成します。\n"
    "\n"
    "終了コード: 0 正常終了、1 確認で中止、2 使い方の誤り、3 変換できないファイル、\n"
    "            4 読めない・壊れた変換元ファイル、または書き込めない出力\n";

void PrintError(const std::string& message) { std::fprintf(stderr, "tecris2quillo: %s\n", message.c_str()); }

int UsageError(const std::string& message) {
  PrintError(message);
  std::fputs("詳しくは tecris2quillo --help を見てください。\n", stderr);
  return kExitUsage;
}

// Message boxes outside a run (the pattern folder check) go to stderr too.
class StderrBoxes : public MessageBoxes {
 public:
  int MsgBox(const Text& text, int, const std::optional<Text>&) override {
    PrintError(ToUtf8(text));
    return kAnswerOk;
  }
};

int ExitCodeOf(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kCompleted: return kExitCompleted;
    case RunOutcome::kStoppedByCheck: return kExitStopped;
    case RunOutcome::kFileRefused: return kExitRefused;
    case RunOutcome::kConversionFailed: return kExitFailed;
  }
  return kExitFailed;
}

std::optional<Text> FolderArgument(const FileSystem& files, const std::string& argument) {
  std::optional<Text> path = ToDriveForm(files, argument);
  if (!path) PrintError("「" + argument + "」はどのドライブにもないパスです。");
  return path;
}

// The folder the run reads its files from: a drive-form text completed as the run's check
// completes it ("C:src" is C:\src), so that the files listed are the files the run reads.
// The run shows its own messages about the text.
Text FolderAsTheRunReadsIt(const FileSystem& files, const Text& folder) {
  Text checked = folder;
  return CompleteFolderPath(files, checked) ? checked : folder;
}

int List(const std::vector<std::string>& args) {
  if (args.size() != 1) return UsageError("list には変換元フォルダを一つ指定してください。");
  const FileSystem files = FileSystem::FromEnvironment();
  std::optional<Text> folder = FolderArgument(files, args[0]);
  if (!folder) return kExitUsage;
  Text listed = FolderAsTheRunReadsIt(files, *folder);
  if (!files.IsFolder(listed)) {
    PrintError("フォルダ「" + args[0] + "」がありません。");
    return kExitStopped;
  }
  for (const Text& name : ListConvertibleFiles(files, listed)) std::printf("%s\n", ToUtf8(name).c_str());
  return kExitCompleted;
}

struct ConvertArguments {
  std::optional<std::string> patternFolder;
  std::optional<std::chrono::milliseconds> lockWait;
  bool yes = false;
  std::vector<std::string> positional;
};

// Seconds, fractions allowed, up to a day.
std::optional<std::chrono::milliseconds> LockWaitOf(const std::string& seconds) {
  char* end = nullptr;
  double value = std::strtod(seconds.c_str(), &end);
  if (seconds.empty() || *end != '\0' || !(value >= 0 && value <= 86400)) {
    UsageError("--lock-wait には 0 から 86400 までの秒数を指定してください: " + seconds);
    return std::nullopt;
  }
  return std::chrono::milliseconds(static_cast<long long>(value * 1000));
}

std::optional<ConvertArguments> ParseConvert(const std::vector<std::string>& args) {
  ConvertArguments parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
      parsed.positional.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--yes" || arg == "-y") {
      parsed.yes = true;
    } else if (arg == "--pattern-folder" && i + 1 < args.size()) {
      parsed.patternFolder = args[++i];
    } else if (arg.rfind("--pattern-folder=", 0) == 0) {
      parsed.patternFolder = arg.substr(std::strlen("--pattern-folder="));
    } else if (arg == "--lock-wait" && i + 1 < args.size()) {
      parsed.lockWait = LockWaitOf(args[++i]);
      if (!parsed.lockWait) return std::nullopt;
    } else {
      UsageError("知らないオプション、または値のないオプションです: " + arg);
      return std::nullopt;
    }
  }
  return parsed;
}

bool SetUpPatternFolder(PatternData& patterns, const std::optional<std::string>& option) {
  StderrBoxes boxes;
  if (!option) return LoadPatternFolder(patterns, boxes);
  std::optional<Text> folder = ToDriveForm(patterns.Files(), *option);
  return UsePatternFolder(patterns, WithBackslash(folder ? *folder : FromUtf8(*option)), boxes);
}

int Convert(const std::vector<std::string>& args) {
  std::optional<ConvertArguments> parsed = ParseConvert(args);
  if (!parsed) return kExitUsage;
  if (parsed->positional.size() < 2) return UsageError("convert には変換元フォルダと変換先フォルダを指定してください。");
  Converter converter(FileSystem::FromEnvironment());
  if (!SetUpPatternFolder(converter.Patterns(), parsed->patternFolder)) return kExitStopped;
  if (parsed->lockWait) converter.Patterns().SetLockWait(*parsed->lockWait);
  const FileSystem& fs = converter.Files();
  std::optional<Text> source = FolderArgument(fs, parsed->positional[0]);
  std::optional<Text> destination = FolderArgument(fs, parsed->positional[1]);
  if (!source || !destination) return kExitUsage;
  RunRequest request{*source, *destination, {}};
  for (std::size_t i = 2; i < parsed->positional.size(); ++i) {
    request.files.push_back(FromUtf8(parsed->positional[i]));
  }
  if (request.files.empty()) request.files = ListConvertibleFiles(fs, FolderAsTheRunReadsIt(fs, *source));

  CliOptions options;
  options.assumeYes = parsed->yes;
  options.askOnTerminal = ::isatty(STDIN_FILENO) != 0;
  options.showProgress = ::isatty(STDERR_FILENO) != 0;
  CliWindow window(options);
  RunOutcome outcome = Command1_Click(converter, request, window);
  if (outcome == RunOutcome::kCompleted) std::printf("%s\n", ToUtf8(window.StatusCaption()).c_str());
  return ExitCodeOf(outcome);
}

int Main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return UsageError("コマンドを指定してください（convert または list）。");
  const std::string command = args[0];
  args.erase(args.begin());
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kUsage, stdout);
    return kExitCompleted;
  }
  if (command == "--version") {
    std::printf("tecris2quillo %s\n", TECRIS2QUILLO_VERSION);
    return kExitCompleted;
  }
  if (command == "convert") return Convert(args);
  if (command == "list") return List(args);
  return UsageError("知らないコマンドです: " + command);
}

}  // namespace
}  // namespace tq

int main(int argc, char** argv) { return tq::Main(argc, argv); }
