// The pattern data folder setting.
#include "patterns/pattern_settings.h"

#include "patterns/pattern_setting_file.h"
#include "platform/file_system.h"

namespace tq {
namespace {

Text& PatternFolderSlot() {
  static Text folder;
  return folder;
}

// Sets PatternFolder and checks it; without a usable folder shows the message, whose second
// line (when given) says how to set the folder.
bool UseFolder(const Text& folder, MessageBoxes& boxes, const Text& secondLine) {
  SetPatternFolder(folder);
  if (PatternFolderExists(folder)) return true;
  Text message = secondLine.empty() ? kNoPatternSettingMessage : kNoPatternSettingMessage + U"\n" + secondLine;
  boxes.MsgBox(message, kStyleOkOnly, std::nullopt);
  return false;
}

}  // namespace

const Text& PatternFolder() { return PatternFolderSlot(); }

void SetPatternFolder(Text folder) { PatternFolderSlot() = std::move(folder); }

Text ReadPatternFolderSetting() {
  PatternSetting setting = InspectPatternSetting();
  if (setting.state == PatternSettingState::kEmpty) FileSystem::Instance().DeleteFile(PatternSettingPath());
  return setting.folder;
}

bool PatternFolderExists(const Text& folder) {
  if (folder.empty()) return false;
  return FileSystem::Instance().Exists(folder.substr(0, folder.size() - 1));
}

// The setting is what is missing here, so the message also says how to write it.
bool LoadPatternFolder(MessageBoxes& boxes) {
  return UseFolder(ReadPatternFolderSetting(), boxes, PatternSettingHint());
}

bool UsePatternFolder(const Text& folder, MessageBoxes& boxes) { return UseFolder(folder, boxes, Text()); }

}  // namespace tq
