// The pattern data folder setting.
#include "patterns/pattern_settings.h"

#include "common/errors.h"
#include "common/source_file.h"
#include "platform/file_system.h"
#include "platform/qpro.h"

namespace tq {
namespace {

Text& PatternFolderSlot() {
  static Text folder;
  return folder;
}

bool RefuseWithoutSetting(MessageBoxes& boxes) {
  boxes.MsgBox(kNoPatternSettingMessage, kStyleOkOnly, std::nullopt);
  return false;
}

}  // namespace

const Text& PatternFolder() { return PatternFolderSlot(); }

void SetPatternFolder(Text folder) { PatternFolderSlot() = std::move(folder); }

Text ReadPatternFolderSetting() {
  const FileSystem& fs = FileSystem::Instance();
  Text path = QPRTrim(SysDir()) + U"\\PatdatV5.ini";
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

bool PatternFolderExists(const Text& folder) {
  if (folder.empty()) return false;
  return FileSystem::Instance().Exists(folder.substr(0, folder.size() - 1));
}

bool LoadPatternFolder(MessageBoxes& boxes) { return UsePatternFolder(ReadPatternFolderSetting(), boxes); }

bool UsePatternFolder(const Text& folder, MessageBoxes& boxes) {
  SetPatternFolder(folder);
  if (folder.empty() || !PatternFolderExists(folder)) return RefuseWithoutSetting(boxes);
  return true;
}

}  // namespace tq
