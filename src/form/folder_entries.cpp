// The drive and folder list entries.
#include "form/folder_entries.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/paths.h"

namespace tq {
namespace {

std::vector<Text> FoldersBelowRoot(const Text& path) {
  std::vector<Text> names;
  Text name;
  for (char32_t c : TextView(path).substr(std::min(path.size(), kRootLength))) {
    if (c != U'\\') {
      name += c;
      continue;
    }
    if (!name.empty()) names.push_back(name);
    name.clear();
  }
  if (!name.empty()) names.push_back(name);
  return names;
}

}  // namespace

char32_t DriveLetterCaption(char32_t letter) {
  return (letter >= U'A' && letter <= U'Z') ? letter - U'A' + U'a' : letter;
}

Text DriveCaption(const FileSystem& files, char32_t letter) {
  Text entry = Text(1, DriveLetterCaption(letter)) + U":";
  std::optional<std::string> root = files.NativePath(Text(1, letter) + U":\\");
  if (!root) return entry;
  Text native = FromUtf8(*root);
  Text plain = Text(1, letter) + U":\\";
  if (native == plain || native == Text(1, letter) + U":" || native == Text(1, DriveLetterCaption(letter)) + U":\\") {
    return entry;
  }
  return entry + U" [" + native + U"]";
}

Text FolderListPath(const Text& path) {
  if (path.size() > kRootLength && EndsWith(path, U"\\")) return path.substr(0, path.size() - 1);
  return path;
}

FolderEntries FolderEntriesOf(const FileSystem& files, const Text& path) {
  FolderEntries list;
  Text folder = path.substr(0, kRootLength);
  list.entries.push_back({Text(1, DriveLetterCaption(folder[0])) + U":\\", folder, 0, FolderIcon::kDrive});
  int depth = 0;
  for (const Text& name : FoldersBelowRoot(path)) {
    folder = JoinPath(folder, name);
    list.entries.push_back({name, folder, ++depth, FolderIcon::kOpenFolder});
  }
  list.current = depth;
  for (const Text& name : files.ListFolders(path)) {
    list.entries.push_back({name, JoinPath(path, name), depth + 1, FolderIcon::kClosedFolder});
  }
  return list;
}

}  // namespace tq
