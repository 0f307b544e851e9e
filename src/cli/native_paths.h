// Folder arguments of the command line: native paths turned into the drive form.
#pragma once

#include <optional>
#include <string>

#include "common/text.h"
#include "platform/file_system.h"

namespace tq {

// A drive-form path (a letter and a colon first) is taken as typed. Any other path is a native
// path, absolute or relative to the working folder; it becomes the drive form on the drive
// whose root holds it, without a trailing backslash (a drive root keeps its backslash).
// Nothing when no drive holds it.
std::optional<Text> ToDriveForm(const FileSystem& files, const std::string& argument);

// Whether an argument is a drive-form path as typed (a letter and a colon first).
bool IsDriveForm(const std::string& argument);

// The message with each drive-form path in it (a letter, a colon and a backslash, up to a line
// end or a closing bracket) shown as the native path it names, for a user who typed native paths.
// A path that no drive maps stays as it is.
Text NativePathsIn(const FileSystem& files, const Text& message);

}  // namespace tq
