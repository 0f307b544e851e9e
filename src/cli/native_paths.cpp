// Native folder arguments to drive-form paths.
#include "cli/native_paths.h"

#include <filesystem>

namespace tq {

std::optional<Text> ToDriveForm(const FileSystem& files, const std::string& argument) {
  bool driveForm = argument.size() >= 2 && argument[1] == ':' &&
                   ((argument[0] >= 'A' && argument[0] <= 'Z') || (argument[0] >= 'a' && argument[0] <= 'z'));
  if (driveForm) return FromUtf8(argument);
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(argument, ec);
  if (ec) return std::nullopt;
  std::string native = absolute.lexically_normal().string();
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  return files.DrivePath(native);
}

}  // namespace tq
