// The setting file PatdatV5.ini itself: where it is, what it says and writing it for the user.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "common/text.h"
#include "platform/file_system.h"

namespace tq {

// The tables the converter reads from the pattern data folder.
inline const std::array<Text, 4> kPatternTableNames = {U"L2.txt", U"L4.TXT", U"KISHITU.TXT", U"XKISHITU.TXT"};

// PatdatV5.ini in the configuration folder that SysDir names.
Text PatternSettingPath(const FileSystem& files);

// What the setting file says, read without changing it.
enum class PatternSettingState {
  kNoFile,       // there is no setting file
  kEmpty,        // the file holds no byte (start-up deletes it)
  kOneLine,      // the file ends before line 2
  kNoFolder,     // line 2 names no folder
  kFolderNamed,  // line 2 names a folder; whether it exists is not looked at
};

struct PatternSetting {
  PatternSettingState state = PatternSettingState::kNoFile;
  Text folder;  // the first field of line 2, trimmed, when a folder is named
};

PatternSetting InspectPatternSetting(const FileSystem& files);

// The folder of the first field of line 2 of a setting file's bytes; nothing when the bytes
// end before line 2.
std::optional<Text> PatternFolderOfSetting(std::string bytes);

// The setting file's bytes for a folder: "[PATDAT]" and the folder with its trailing
// backslash, in code page 932 with CR LF line ends. Nothing when the folder has a character
// that code page 932 cannot hold.
std::optional<std::string> PatternSettingBytes(const Text& folder);

// Writes the setting file whole (a temporary file, then a rename), creating the configuration
// folder when it is missing. Throws ConversionError when it cannot be written.
void WritePatternSetting(const FileSystem& files, const Text& folder);

// The tables of kPatternTableNames that the folder (with its trailing backslash) lacks.
std::vector<Text> MissingPatternTables(const FileSystem& files, const Text& folder);

// The second line of the start-up message when the setting is missing: how to set it.
Text PatternSettingHint(const FileSystem& files);

}  // namespace tq
