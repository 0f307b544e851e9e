// The selected files, the boring identifier of a source file and its boring folder.
#include "run/source_identity.h"

#include "common/errors.h"
#include "common/source_file.h"
#include "platform/file_system.h"
#include "run/execute.h"

namespace tq {

void CollectSelectedFiles(RunWindow& window, std::vector<Text>& names, std::int32_t& count) {
  int n = window.FileListCount();
  int k = 0;
  for (int i = 0; i < n; ++i) {
    if (window.FileListSelected(i)) ++k;
  }
  names.assign(static_cast<std::size_t>(k) + 1, Text());
  int next = 1;
  for (int i = 0; i < n && next <= k; ++i) {
    if (window.FileListSelected(i)) names[static_cast<std::size_t>(next++)] = Trim(window.FileListItem(i));
  }
  count = k;
}

bool IsSafeFolderName(TextView name) {
  if (name.empty() || name.back() == U' ' || name.back() == U'.') return false;
  if (name.find_first_not_of(U'.') == TextView::npos) return false;
  for (char32_t c : name) {
    if (c < 0x20 || c == 0x7F || TextView(U"\\/:*?\"<>|").find(c) != TextView::npos) return false;
  }
  return true;
}

Text ReadBoringIdentifier(const Text& path) {
  const FileSystem& fs = FileSystem::Instance();
  if (!fs.IsPlainFile(path)) return {};
  std::optional<std::string> bytes = fs.ReadFile(path);
  if (!bytes) throw ConversionError(U"ファイルを読み込めません。");
  SourceFile file(std::move(*bytes));
  file.ReadField();
  Text identifier = file.ReadField();
  if (identifier.size() != 11 || !IsSafeFolderName(identifier)) return {};
  return identifier;
}

void EnsureBoringFolder(const Text& prefix, const Text& identifier) {
  const FileSystem& fs = FileSystem::Instance();
  Text folder = prefix + identifier;
  if (fs.Exists(folder)) return;
  if (!fs.CreateFolder(folder)) {
    throw ConversionError(U"フォルダ「" + folder + U"」を作成できません。書き込みできる場所か確認してください。");
  }
}

}  // namespace tq
