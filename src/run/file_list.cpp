// Which files of a folder the file list offers.
#include "run/file_list.h"

#include "common/errors.h"
#include "common/source_file.h"
#include "platform/paths.h"
#include "platform/qpro.h"

namespace tq {
namespace {

bool IsAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// Why a file of a convertible name is not offered: it cannot be read, is empty, or its first
// record does not carry the name's eleven digits. Nothing when it is offered.
std::optional<Text> WhyIdentifierIsNotTheName(const FileSystem& fs, const Text& path, const Text& name) {
  std::optional<std::string> bytes = fs.IsPlainFile(path) ? fs.ReadFile(path) : std::nullopt;
  if (!bytes) return U"読めません";
  if (bytes->empty()) return U"空のファイルです";
  Text digits = name.substr(0, 8) + name.substr(9, 3);
  try {
    SourceFile file(std::move(*bytes));
    file.ReadField();
    Text identifier = file.ReadField();
    if (identifier == digits) return std::nullopt;
    return U"ボーリング識別子「" + identifier + U"」が名前の数字「" + digits + U"」と違います";
  } catch (const ConversionError&) {
    return U"最初の行にボーリング識別子がありません";
  }
}

std::vector<Text> FilesOf(const FileSystem& files, const Text& folder) {
  Text pattern = JoinPath(folder, U"*.*");
  // Kept at 32 bits: a folder of more than 32767 files must not look empty.
  std::int32_t n = FCount(files, pattern);
  if (n < 1) return {};
  std::vector<Text> names(static_cast<std::size_t>(n) + 1);
  ListFiles(files, pattern, names);
  names.erase(names.begin());
  return names;
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
  for (Text& name : FilesOf(files, folder)) {
    std::optional<Text> why = WhyNotOffered(files, folder, name);
    listed.push_back({std::move(name), std::move(why)});
  }
  return listed;
}

}  // namespace tq
