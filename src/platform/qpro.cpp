// Support library functions: character counting, file counting, the configuration folder.
#include "platform/qpro.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/file_system.h"

namespace tq {

std::int32_t InCount(TextView text, TextView character) {
  if (character.empty()) return 0;
  std::int32_t count = 0;
  for (char32_t c : text) {
    if (c == character[0]) ++count;
  }
  return count;
}

std::int32_t FCount(const FileSystem& files, const Text& pattern) {
  return static_cast<std::int32_t>(files.ListPlainFiles(pattern).size());
}

Text SysDir(const FileSystem& files) {
  std::string native;
  if (const char* sysdir = std::getenv("TECRIS2QUILLO_SYSDIR"); sysdir != nullptr && *sysdir != '\0') {
    native = sysdir;
  } else if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0') {
    native = std::string(config) + "/tecris2quillo";
  } else {
    const char* home = std::getenv("HOME");
    native = std::string(home != nullptr ? home : "") + "/.config/tecris2quillo";
  }
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(native, ec);
  if (!ec) native = absolute.lexically_normal().string();
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  std::optional<Text> path = files.DrivePath(native);
  return path ? *path : FromUtf8(native);
}

Text QPRTrim(TextView text) {
  std::size_t end = text.size();
  while (end > 0 && (text[end - 1] == U' ' || text[end - 1] == U'\t' || text[end - 1] == U'\0')) --end;
  return Text(text.substr(0, end));
}

}  // namespace tq
