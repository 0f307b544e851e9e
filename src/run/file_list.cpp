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
constexpr std::size_t kFirstRecordBytes = 512;

// Why a file of a convertible name is not offered: it cannot be read, is empty, or its first
// record does not carry the name's eleven digits. Nothing when it is offered.
std::optional<Text> WhyIdentifierIsNotTheName(const FileSystem& fs, const Text& path, const Text& name) {
  bool unreadable = false;
  std::optional<std::string> bytes = fs.ReadPlainFile(path, unreadable, kFirstRecordBytes);
  if (!bytes) return U"読めません";
  if (bytes->empty()) return U"空のファイルです";
  bool reachedEnd = false;
  std::optional<Text> identifier = SecondField(*bytes, reachedEnd);
  if (reachedEnd && bytes->size() == kFirstRecordBytes) {
    bytes = fs.ReadPlainFile(path, unreadable);
    if (!bytes) return U"読めません";
    identifier = SecondField(*bytes, reachedEnd);
  }
  if (!identifier) return U"最初の行にボーリング識別子がありません";
  Text digits = name.substr(0, 8) + name.substr(9, 3);
  if (*identifier == digits) return std::nullopt;
  return U"ボーリング識別子「" + *identifier + U"」が名前の数字「" + digits + U"」と違います";
}

std::optional<Text> WhyNotOffered(const FileSystem& files, const Text& folder, const Text& name) {
  if (!IsConvertibleFileName(name)) return U"名前が「8 桁の数字.3 桁の数字」の形ではありません";
  return WhyIdentifierIsNotTheName(files, JoinPath(folder, name), name);
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
  std::vector<Text> offered;
  for (ListedFile& file : ListFilesWithReasons(files, folder)) {
    if (!file.whyNotOffered) offered.push_back(std::move(file.name));
  }
  return offered;
}

std::vector<ListedFile> ListFilesWithReasons(const FileSystem& files, const Text& folder) {
  std::vector<ListedFile> listed;
  ScopedFolderCache folders(files);
  // The folder is listed once: counting its files first would list it twice.
  for (Text& name : files.ListPlainFiles(JoinPath(folder, U"*.*"))) {
    std::optional<Text> why = WhyNotOffered(files, folder, name);
    listed.push_back({std::move(name), std::move(why)});
  }
  return listed;
}

}  // namespace tq
