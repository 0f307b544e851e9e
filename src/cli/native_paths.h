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

}  // namespace tq
