// Reading, writing and checking the setting file PatdatV5.ini.
#include "patterns/pattern_setting_file.h"

#include <filesystem>

#include "common/errors.h"
#include "common/source_file.h"
#include "platform/file_system.h"
#include "platform/output_file.h"
#include "platform/paths.h"
#include "platform/qpro.h"

namespace tq {
namespace {

// The native form of a path for messages, where the drive is known.
Text NativeForMessage(const FileSystem& files, const Text& path) {
  std::optional<std::string> native = files.NativePath(path);
  return native ? FromUtf8(*native) : path;
}

// SysDir may name a folder several levels below one that exists (~/.config/tecris2quillo on
// a fresh account), so every missing level is created.
void CreateConfigurationFolder(const FileSystem& files, const Text& folder) {
  std::optional<std::string> native = files.NativePath(folder);
  std::error_code ec;
  if (native) std::filesystem::create_directories(*native, ec);
  if (!native || !files.IsFolder(folder)) {
    throw ConversionError(U"設定ファイルのフォルダ「" + NativeForMessage(files, folder) + U"」を作成できません。");
  }
}

}  // namespace

Text PatternSettingPath(const FileSystem& files) { return JoinPath(QPRTrim(SysDir(files)), U"PatdatV5.ini"); }

std::optional<Text> PatternFolderOfSetting(std::string bytes) {
  SourceFile file(std::move(bytes));
  try {
    file.ReadLine();
    return Trim(file.ReadField());
  } catch (const ConversionError&) {
    return std::nullopt;
  }
}

PatternSetting InspectPatternSetting(const FileSystem& fs) {
  Text path = PatternSettingPath(fs);
  std::optional<std::uintmax_t> length = fs.FileLength(path);
  if (!length) return {PatternSettingState::kNoFile, {}};
  if (*length < 1) return {PatternSettingState::kEmpty, {}};
  std::optional<std::string> bytes = fs.ReadFile(path);
  if (!bytes) return {PatternSettingState::kNoFile, {}};
  std::optional<Text> folder = PatternFolderOfSetting(std::move(*bytes));
  if (!folder) return {PatternSettingState::kOneLine, {}};
  if (folder->empty()) return {PatternSettingState::kNoFolder, {}};
  return {PatternSettingState::kFolderNamed, *folder};
}

std::optional<std::string> PatternSettingBytes(const Text& folder) {
  Text line = WithBackslash(folder);
  std::string encoded = ToShiftJis(line);
  if (FromShiftJis(encoded) != line) return std::nullopt;
  return "[PATDAT]\r\n" + encoded + "\r\n";
}

void WritePatternSetting(const FileSystem& files, const Text& folder) {
  std::optional<std::string> bytes = PatternSettingBytes(folder);
  if (!bytes) {
    throw ConversionError(U"フォルダ「" + folder + U"」の名前には、設定ファイルに書けない（Shift-JIS にない）文字があります。");
  }
  CreateConfigurationFolder(files, QPRTrim(SysDir(files)));
  ReplaceFileContents(files, PatternSettingPath(files), *bytes, true);
}

std::vector<Text> MissingPatternTables(const FileSystem& files, const Text& folder) {
  std::vector<Text> missing;
  for (const Text& name : kPatternTableNames) {
    if (!files.IsPlainFile(folder + name)) missing.push_back(name);
  }
  return missing;
}

Text PatternSettingHint(const FileSystem& files) {
  return U"設定ファイル「" + NativeForMessage(files, PatternSettingPath(files)) +
         U"」の 2 行目にパターンデータフォルダを書くか、tecris2quillo setup --pattern-folder フォルダ で設定してください。";
}

}  // namespace tq
