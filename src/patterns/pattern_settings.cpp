// The pattern data folder setting.
#include "patterns/pattern_settings.h"

#include "common/errors.h"
#include "common/source_file.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/qpro.h"

namespace tq {
namespace {

bool RefuseWithoutSetting(MessageBoxes& boxes) {
  boxes.MsgBox(kNoPatternSettingMessage, kStyleOkOnly, std::nullopt);
  return false;
}

}  // namespace

Text ReadPatternFolderSetting(const FileSystem& fs) {
  Text path = JoinPath(QPRTrim(SysDir(fs)), U"PatdatV5.ini");
  std::optional<std::uintmax_t> length = fs.FileLength(path);
  if (!length) return {};
  if (*length < 1) {
    fs.DeleteFile(path);
    return {};
  }
  std::optional<std::string> bytes = fs.ReadFile(path);
  if (!bytes) return {};
  SourceFile file(std::move(*bytes));
  try {
    file.ReadLine();
    return Trim(file.ReadField());
  } catch (const ConversionError&) {
    return {};  // a setting file of one line holds no folder
  }
}

bool PatternFolderExists(const FileSystem& files, const Text& folder) {
  if (folder.empty()) return false;
  return files.Exists(folder.substr(0, folder.size() - 1));
}

bool LoadPatternFolder(PatternData& patterns, MessageBoxes& boxes) {
  return UsePatternFolder(patterns, ReadPatternFolderSetting(patterns.Files()), boxes);
}

bool UsePatternFolder(PatternData& patterns, const Text& folder, MessageBoxes& boxes) {
  patterns.SetFolder(folder);
  if (folder.empty() || !PatternFolderExists(patterns.Files(), folder)) return RefuseWithoutSetting(boxes);
  return true;
}

}  // namespace tq
