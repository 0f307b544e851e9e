// Native folder arguments to drive-form paths.
#include "cli/native_paths.h"

#include "platform/native_files.h"

namespace tq {

std::optional<Text> ToDriveForm(const FileSystem& files, const std::string& argument) {
  bool driveForm = argument.size() >= 2 && argument[1] == ':' &&
                   ((argument[0] >= 'A' && argument[0] <= 'Z') || (argument[0] >= 'a' && argument[0] <= 'z'));
  if (driveForm) return FromUtf8(argument);
  return DriveFormOf(files, argument);
}

}  // namespace tq
