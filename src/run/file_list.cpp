// Which files of a folder the file list offers.
#include "run/file_list.h"

#include <optional>
#include <string>

#include "common/errors.h"
#include "common/source_file.h"
#include "platform/paths.h"
#include "platform/qpro.h"

namespace tq {
namespace {

bool IsAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// The second field of the first record, and whether it ran to the end of the bytes (where a
// file read only in part may go on).
std::optional<Text> SecondField(const std::string& bytes, bool& reachedEnd) {
  try {
    SourceFile file(bytes);
    file.ReadField();
    Text field = file.ReadField();
    reachedEnd = file.AtEnd();
    return field;
  } catch (const ConversionError&) {
    reachedEnd = true;
    return std::nullopt;
  }
}

// The first record is a line at the start of the file, so its first bytes nearly always hold it.
constexpr std::size_t kFirstRecordBytes = 4096;

// Whether the first record of the file carries the name's eleven digits; unreadable files
// are left out.
bool CarriesOwnIdentifier(const FileSystem& fs, const Text& path, const Text& name) {
  bool unreadable = false;
  std::optional<std::string> bytes = fs.ReadPlainFile(path, unreadable, kFirstRecordBytes);
  if (!bytes) return false;
  bool reachedEnd = false;
  std::optional<Text> identifier = SecondField(*bytes, reachedEnd);
  if (reachedEnd && bytes->size() == kFirstRecordBytes) {
    bytes = fs.ReadPlainFile(path, unreadable);
    if (!bytes) return false;
    identifier = SecondField(*bytes, reachedEnd);
  }
  return identifier == name.substr(0, 8) + name.substr(9, 3);
}

}  // namespace

bool IsConvertibleFileName(TextView name) {
  if (name.size() != 12 || name.find(U'.') != 8) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (i != 8 && !IsAsciiDigit(name[i])) return false;
  }
  return true;
}

void ListFiles(const FileSystem& files, const Text& pattern, std::vector<Text>& names) {
  std::vector<Text> found = files.ListPlainFiles(pattern);
  if (names.size() < found.size() + 1) names.resize(found.size() + 1);
  for (std::size_t k = 0; k < found.size(); ++k) names[k + 1] = found[k];
}

std::vector<Text> ListConvertibleFiles(const FileSystem& files, const Text& folder) {
  ScopedFolderCache folders(files);
  std::vector<Text> offered;
  // The folder is listed once: counting its files first would list it twice.
  for (const Text& name : files.ListPlainFiles(JoinPath(folder, U"*.*"))) {
    if (!IsConvertibleFileName(name)) continue;
    if (CarriesOwnIdentifier(files, JoinPath(folder, name), name)) offered.push_back(name);
  }
  return offered;
}

}  // namespace tq
