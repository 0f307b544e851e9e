// The pattern data folder setting.
#include "patterns/pattern_settings.h"

#include "patterns/pattern_setting_file.h"
#include "platform/file_system.h"

namespace tq {
namespace {

// Sets PatternFolder and checks it; without a usable folder shows the message, followed by the
// folder that was refused (named by where it came from) and, when given, how to set the folder.
bool UseFolder(PatternData& patterns, const Text& folder, MessageBoxes& boxes, const Text& origin, const Text& hint) {
  patterns.SetFolder(folder);
  if (!folder.empty() && PatternFolderExists(patterns.Files(), folder)) return true;
  Text message = kNoPatternSettingMessage;
  if (!folder.empty()) message += U"\n" + origin + U"パターンデータフォルダ「" + folder + U"」がありません。";
  if (!hint.empty()) message += U"\n" + hint;
  boxes.MsgBox(message, kStyleOkOnly, std::nullopt);
  return false;
}

}  // namespace

Text ReadPatternFolderSetting(const FileSystem& files) {
  PatternSetting setting = InspectPatternSetting(files);
  if (setting.state == PatternSettingState::kEmpty) files.DeleteFile(PatternSettingPath(files));
  return setting.folder;
}

bool PatternFolderExists(const FileSystem& files, const Text& folder) {
  if (folder.empty()) return false;
  return files.Exists(folder.substr(0, folder.size() - 1));
}

// The setting is what is missing here, so the message also says how to write it.
bool LoadPatternFolder(PatternData& patterns, MessageBoxes& boxes) {
  const FileSystem& files = patterns.Files();
  return UseFolder(patterns, ReadPatternFolderSetting(files), boxes, U"設定ファイルに書かれた",
                   PatternSettingHint(files));
}

bool UsePatternFolder(PatternData& patterns, const Text& folder, MessageBoxes& boxes) {
  return UseFolder(patterns, folder, boxes, U"指定された", Text());
}

}  // namespace tq
