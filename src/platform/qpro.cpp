// Support library functions: character counting, file counting, the configuration folder.
#include "platform/qpro.h"

#include <string>

#include "platform/file_system.h"
#include "platform/native_files.h"

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
  std::string folder = native::Environment("TECRIS2QUILLO_SYSDIR").value_or(native::DefaultSysDir());
  return DriveFormOf(files, folder).value_or(FromUtf8(folder));
}

Text QPRTrim(TextView text) {
  std::size_t end = text.size();
  while (end > 0 && (text[end - 1] == U' ' || text[end - 1] == U'\t' || text[end - 1] == U'\0')) --end;
  return Text(text.substr(0, end));
}

}  // namespace tq
