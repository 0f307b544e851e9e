// Writing and showing the pattern data folder setting from the command line.
#include "cli/setup_command.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "cli/cli_output.h"
#include "cli/native_paths.h"
#include "common/errors.h"
#include "patterns/pattern_setting_file.h"
#include "patterns/pattern_settings.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace tq {
namespace {

const char kHowToSet[] = "tecris2quillo setup --pattern-folder フォルダ で設定してください。";

// A drive-form path with its native path beside it, where a drive holds it.
std::string Shown(const FileSystem& files, const Text& path) {
  std::optional<std::string> native = files.NativePath(path);
  if (!native || *native == ToUtf8(path)) return ToUtf8(path);
  return ToUtf8(path) + "（" + *native + "）";
}

std::string NativeShown(const FileSystem& files, const Text& path) {
  std::optional<std::string> native = files.NativePath(path);
  return native ? *native : ToUtf8(path);
}

// Lists the tables; warns for each one that is missing. True when all are there.
bool ReportTables(const FileSystem& files, const Text& folder) {
  std::vector<Text> missing = MissingPatternTables(files, folder);
  for (const Text& name : kPatternTableNames) {
    bool present = std::find(missing.begin(), missing.end(), name) == missing.end();
    std::string shown = ToUtf8(name);
    shown.resize(13, ' ');
    Print(stdout, "  " + shown + " " + (present ? "あり" : "なし") + "\n");
  }
  for (const Text& name : missing) {
    PrintError("パターンデータフォルダ「" + NativeShown(files, folder) + "」に " + ToUtf8(name) + " がありません。");
  }
  return missing.empty();
}

std::string WhyNoFolder(PatternSettingState state, const std::string& path) {
  switch (state) {
    case PatternSettingState::kNoFile: return "設定ファイル「" + path + "」がありません。";
    case PatternSettingState::kEmpty: return "設定ファイル「" + path + "」は空です。";
    case PatternSettingState::kOneLine:
      return "設定ファイル「" + path + "」は 1 行だけです。2 行目にパターンデータフォルダを書きます。";
    case PatternSettingState::kNoFolder:
      return "設定ファイル「" + path + "」の 2 行目にパターンデータフォルダがありません。";
    case PatternSettingState::kFolderNamed: break;
  }
  return {};
}

int ShowSetting(const FileSystem& files) {
  const std::string path = NativeShown(files, PatternSettingPath(files));
  Print(stdout, "設定ファイル: " + path + "\n");
  PatternSetting setting = InspectPatternSetting(files);
  if (setting.state != PatternSettingState::kFolderNamed) {
    Print(stdout, "パターンデータフォルダ: なし\n");
    PrintError(WhyNoFolder(setting.state, path));
    PrintError(kHowToSet);
    return kExitStopped;
  }
  Print(stdout, "パターンデータフォルダ: " + Shown(files, setting.folder) + "\n");
  if (!PatternFolderExists(files, setting.folder)) {
    PrintError("設定ファイル「" + path + "」の 2 行目のフォルダ「" + ToUtf8(setting.folder) + "」がありません。");
    PrintError(kHowToSet);
    return kExitStopped;
  }
  if (!EndsWith(setting.folder, U"\\")) {
    PrintError("設定ファイル「" + path + "」の 2 行目のフォルダが \\ で終わっていません。表を読めません。");
    PrintError(kHowToSet);
    return kExitStopped;
  }
  return ReportTables(files, setting.folder) ? kExitCompleted : kExitStopped;
}

int WriteSetting(const FileSystem& files, const std::string& argument) {
  std::optional<Text> folder = ToDriveForm(files, argument);
  if (!folder) {
    PrintError("「" + argument + "」はどのドライブにもないパスです。");
    return kExitUsage;
  }
  *folder = WithBackslash(*folder);
  if (!files.IsFolder(*folder)) {
    PrintError("フォルダ「" + argument + "」がありません。設定ファイルは書き換えていません。");
    return kExitStopped;
  }
  try {
    WritePatternSetting(files, *folder);
  } catch (const ConversionError& error) {
    PrintError(ToUtf8(error.Cause()));
    return kExitStopped;
  }
  Print(stdout, "設定ファイル「" + NativeShown(files, PatternSettingPath(files)) + "」に書き込みました。\n");
  Print(stdout, "パターンデータフォルダ: " + Shown(files, *folder) + "\n");
  return ReportTables(files, *folder) ? kExitCompleted : kExitStopped;
}

}  // namespace

int RunSetup(const std::optional<std::string>& patternFolder) {
  FileSystem files = FileSystem::FromEnvironment();
  return patternFolder ? WriteSetting(files, *patternFolder) : ShowSetting(files);
}

}  // namespace tq
