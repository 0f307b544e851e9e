// The selected files, the boring identifier of a source file and its boring folder.
#include "run/source_identity.h"

#include "common/errors.h"
#include "common/source_file.h"

namespace tq {

void NumberSelectedFiles(const std::vector<Text>& selected, std::vector<Text>& names, std::int32_t& count) {
  names.assign(1, Text());
  for (const Text& name : selected) names.push_back(Trim(name));
  count = static_cast<std::int32_t>(selected.size());
}

bool IsSafeFolderName(TextView name) {
  if (name.empty() || name.back() == U' ' || name.back() == U'.') return false;
  if (name.find_first_not_of(U'.') == TextView::npos) return false;
  for (char32_t c : name) {
    if (c < 0x20 || c == 0x7F || TextView(U"\\/:*?\"<>|").find(c) != TextView::npos) return false;
  }
  return true;
}

std::optional<std::string> ReadSourceBytes(const FileSystem& fs, const Text& path) {
  bool unreadable = false;
  std::optional<std::string> bytes = fs.ReadPlainFile(path, unreadable);
  if (unreadable) throw ConversionError(U"ファイルを読み込めません。");
  return bytes;
}

Text BoringIdentifierOf(const std::string& bytes) {
  SourceFile file(bytes);
  file.ReadField();
  Text identifier = file.ReadField();
  if (identifier.size() != 11 || !IsSafeFolderName(identifier)) return {};
  return identifier;
}

Text ReadBoringIdentifier(const FileSystem& fs, const Text& path) {
  std::optional<std::string> bytes = ReadSourceBytes(fs, path);
  return bytes ? BoringIdentifierOf(*bytes) : Text();
}

Text WhyFileIsRefused(const FileSystem& fs, const Text& path) {
  Text file = U"ファイル「" + path + U"」";
  if (fs.IsFolder(path)) return file + U"はフォルダです。変換元のファイルを指定してください。";
  if (!fs.IsPlainFile(path)) return file + U"がありません。";
  SourceFile source(fs.ReadFile(path).value_or(std::string()));
  source.ReadField();
  Text identifier = source.ReadField();
  Text expected = U"ボーリング識別子（最初の行の 2 番目の項目）は 11 文字でなければなりません。";
  if (identifier.size() != 11) {
    return file + U"のボーリング識別子「" + identifier + U"」は " +
           DecimalText(static_cast<long long>(identifier.size())) + U" 文字です。" + expected;
  }
  return file + U"のボーリング識別子「" + identifier + U"」は、フォルダの名前にできない文字を含んでいます。";
}

void EnsureBoringFolder(const FileSystem& fs, const Text& prefix, const Text& identifier) {
  Text folder = prefix + identifier;
  if (fs.Exists(folder)) return;
  if (!fs.CreateFolder(folder)) {
    throw ConversionError(U"フォルダ「" + folder + U"」を作成できません。書き込みできる場所か確認してください。");
  }
}

}  // namespace tq
