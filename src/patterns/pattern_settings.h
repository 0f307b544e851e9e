// Where the pattern data folder is: the setting file and the process-wide PatternFolder.
#pragma once

#include "common/text.h"
#include "platform/message_box.h"

namespace tq {

inline const Text kNoPatternSettingMessage = U" PATDAT の設定がありません.";

// The pattern data folder path with its trailing backslash; set once at start-up.
const Text& PatternFolder();
void SetPatternFolder(Text folder);

// The first field of line 2 of PatdatV5.ini in the configuration folder, trimmed; the empty
// text when there is no setting (an empty setting file is deleted).
Text ReadPatternFolderSetting();

// Whether a file or folder exists at the pattern folder path without its last character.
bool PatternFolderExists(const Text& folder);

// The start-up check: reads the setting into PatternFolder and, when there is none or no such
// folder, shows the message and returns false (the program then ends).
bool LoadPatternFolder(MessageBoxes& boxes);

// The same check for a pattern folder given directly (the command line's --pattern-folder).
bool UsePatternFolder(const Text& folder, MessageBoxes& boxes);

}  // namespace tq
