// Where the pattern data folder is: the setting file, and the start-up check of PatternFolder.
#pragma once

#include "common/text.h"
#include "patterns/pattern_data.h"
#include "platform/message_box.h"

namespace tq {

inline const Text kNoPatternSettingMessage = U" PATDAT の設定がありません.";

// The first field of line 2 of PatdatV5.ini in the configuration folder, trimmed; the empty
// text when there is no setting (an empty setting file is deleted).
Text ReadPatternFolderSetting(const FileSystem& files);

// Whether a file or folder exists at the pattern folder path without its last character.
bool PatternFolderExists(const FileSystem& files, const Text& folder);

// The start-up check: reads the setting into the pattern data's PatternFolder and, when there is
// none or no such folder, shows the message and returns false (the program then ends).
bool LoadPatternFolder(PatternData& patterns, MessageBoxes& boxes);

// The same check for a pattern folder given directly (the command line's --pattern-folder).
bool UsePatternFolder(PatternData& patterns, const Text& folder, MessageBoxes& boxes);

}  // namespace tq
