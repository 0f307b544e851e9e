// Native folder arguments to drive-form paths.
#include "cli/native_paths.h"

#include "platform/native_files.h"

namespace tq {

namespace {

bool IsAsciiLetter(char32_t c) { return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z'); }

// Where a drive-form path that begins at i ends: the messages put paths in 「」 or （）, or
// at the end of a line.
std::size_t PathEnd(const Text& message, std::size_t i) {
  std::size_t end = message.find_first_of(U"\n」）)、。", i);
  return end == Text::npos ? message.size() : end;
}

bool DriveFormAt(const Text& message, std::size_t i) {
  if (i + 2 >= message.size() || !IsAsciiLetter(message[i]) || message[i + 1] != U':' || message[i + 2] != U'\\') {
    return false;
  }
  return i == 0 || !IsAsciiLetter(message[i - 1]);
}

}  // namespace

bool IsDriveForm(const std::string& argument) {
  return argument.size() >= 2 && argument[1] == ':' &&
         ((argument[0] >= 'A' && argument[0] <= 'Z') || (argument[0] >= 'a' && argument[0] <= 'z'));
}

std::optional<Text> ToDriveForm(const FileSystem& files, const std::string& argument) {
  if (IsDriveForm(argument)) return FromUtf8(argument);
  return DriveFormOf(files, argument);
}

Text NativePathsIn(const FileSystem& files, const Text& message) {
  Text shown;
  std::size_t i = 0;
  while (i < message.size()) {
    if (!DriveFormAt(message, i)) {
      shown += message[i++];
      continue;
    }
    std::size_t end = PathEnd(message, i);
    Text path = message.substr(i, end - i);
    std::optional<std::string> native = files.NativePath(path);
    shown += native ? FromUtf8(*native) : path;
    i = end;
  }
  return shown;
}

}  // namespace tq
