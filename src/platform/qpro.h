// The file and text functions the converter takes from its support library.
#pragma once

#include <cstdint>

#include "common/text.h"

namespace tq {

class FileSystem;

// Occurrences of a character in a text, counted in characters (a full-width character's
// trail byte is never taken for a backslash).
std::int32_t InCount(TextView text, TextView character);

// The number of files ListPlainFiles returns for the same pattern.
std::int32_t FCount(const FileSystem& files, const Text& pattern);

// The per-user configuration folder, without a trailing backslash: TECRIS2QUILLO_SYSDIR when
// set, otherwise $XDG_CONFIG_HOME/tecris2quillo or ~/.config/tecris2quillo (on Windows
// %APPDATA%\tecris2quillo); on the drive of the file system that holds it.
Text SysDir(const FileSystem& files);

// The text without its trailing blanks (spaces, tabs and NULs).
Text QPRTrim(TextView text);

}  // namespace tq
