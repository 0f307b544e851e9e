// Windows paths with drive letters mapped onto the native file system.
#include "platform/file_system.h"

#include <algorithm>

#include "platform/native_files.h"

namespace tq {
namespace {

char32_t UpperAscii(char32_t c) { return (c >= U'a' && c <= U'z') ? c - U'a' + U'A' : c; }

bool IsSeparator(char32_t c) { return c == U'\\' || c == U'/'; }

std::vector<Text> SplitFolders(TextView path) {
  std::vector<Text> parts;
  Text part;
  for (char32_t c : path) {
    if (!IsSeparator(c)) {
      part += c;
      continue;
    }
    parts.push_back(part);
    part.clear();
  }
  parts.push_back(part);
  return parts;
}

// Applies the names of a relative path to a folder chain: empty names and "." stay, ".." goes up.
void Descend(std::vector<Text>& folders, const std::vector<Text>& names) {
  for (const Text& name : names) {
    if (name.empty() || name == U".") continue;
    if (name == U"..") {
      if (!folders.empty()) folders.pop_back();
      continue;
    }
    folders.push_back(name);
  }
}

bool WildcardMatch(TextView pattern, TextView name) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == U'*') {
    for (std::size_t skip = 0; skip <= name.size(); ++skip) {
      if (WildcardMatch(pattern.substr(1), name.substr(skip))) return true;
    }
    return false;
  }
  if (name.empty()) return false;
  if (pattern[0] != U'?' && UpperAscii(pattern[0]) != UpperAscii(name[0])) return false;
  return WildcardMatch(pattern.substr(1), name.substr(1));
}

// A backslash separates folders in the program's paths, so an entry whose native name holds
// one could be listed but never opened: the path made from it names another entry, or none.
bool IsNameableInPaths(const std::string& name) { return name.find('\\') == std::string::npos; }

bool IsListed(const native::Entry& entry) { return !entry.hidden && IsNameableInPaths(entry.name); }

// Whether the first names of a path are those of a root.
bool HoldsPath(const std::vector<std::string>& root, const std::vector<std::string>& path) {
  if (root.size() > path.size()) return false;
  return std::equal(root.begin(), root.end(), path.begin(), native::SameName);
}

}  // namespace

FileSystem::FileSystem(std::map<char32_t, std::string> driveRoots) : roots_(std::move(driveRoots)) {
  for (auto& [letter, root] : roots_) {
    if (root.size() > 1 && root.back() == '/') root.pop_back();
    currentFolders_[letter] = {};
  }
  if (!roots_.empty()) currentDrive_ = roots_.begin()->first;
  std::optional<std::string> cwd = native::Absolute(".");
  if (!cwd) return;
  std::optional<char32_t> here = FollowNativeFolder(*cwd);
  if (here) currentDrive_ = *here;
}

std::optional<char32_t> FileSystem::FollowNativeFolder(const std::string& nativeFolder) {
  std::optional<Text> path = DrivePath(nativeFolder);
  if (!path) return std::nullopt;
  char32_t letter = UpperAscii((*path)[0]);
  currentFolders_[letter].clear();
  Descend(currentFolders_[letter], SplitFolders(path->substr(2)));
  return letter;
}

std::vector<char32_t> FileSystem::Drives() const {
  std::vector<char32_t> letters;
  for (const auto& entry : roots_) letters.push_back(entry.first);
  return letters;
}

bool FileSystem::SetCurrentDrive(char32_t letter) {
  letter = UpperAscii(letter);
  auto root = roots_.find(letter);
  if (root == roots_.end() || !native::IsFolder(root->second)) return false;
  currentDrive_ = letter;
  return true;
}

Text FileSystem::CurrentFolder(char32_t letter) const {
  letter = UpperAscii(letter);
  Text path = Text(1, letter) + U":";
  auto folders = currentFolders_.find(letter);
  if (folders == currentFolders_.end() || folders->second.empty()) return path + U"\\";
  for (const Text& folder : folders->second) path += U"\\" + folder;
  return path;
}

bool FileSystem::SetCurrentFolder(const Text& path) {
  std::optional<Location> location = Locate(path);
  if (!location || !native::IsFolder(NativeOf(*location))) return false;
  currentFolders_[location->drive] = location->folders;
  return true;
}

std::optional<FileSystem::Location> FileSystem::Locate(const Text& path) const {
  Location location{currentDrive_, {}};
  TextView rest = path;
  if (rest.size() >= 2 && rest[1] == U':') {
    location.drive = UpperAscii(rest[0]);
    rest = rest.substr(2);
  }
  if (roots_.find(location.drive) == roots_.end()) return std::nullopt;
  if (rest.empty() || !IsSeparator(rest[0])) location.folders = currentFolders_.at(location.drive);
  Descend(location.folders, SplitFolders(rest));
  return location;
}

std::string FileSystem::NativeOf(const Location& location, bool* settled) const {
  std::string path = roots_.at(location.drive);
  if (settled) *settled = true;
  for (std::size_t i = 0; i < location.folders.size(); ++i) {
    path = ResolveName(path, location.folders[i], settled);
  }
  return path;
}

std::string FileSystem::ResolveName(const std::string& folder, const Text& name, bool* settled) const {
  if (cache_.Active() && native::NamesTellCaseApart()) {
    bool nameSettled = false;
    std::string resolved = cache_.Resolve(folder, name, nameSettled);
    if (settled) *settled = *settled && nameSettled;
    return resolved;
  }
  if (settled) *settled = false;
  return native::Join(folder, native::ResolveName(folder, name));
}

std::optional<std::string> FileSystem::NativePath(const Text& path) const {
  if (native::IsNativeAbsolute(path)) return ToUtf8(path);
  // A whole drive path means the same whatever the current folders are.
  bool wholePath = path.size() >= 3 && path[1] == U':' && IsSeparator(path[2]);
  if (wholePath && cache_.Active()) {
    bool settled = false;
    return RunNativePath(path, settled);
  }
  std::optional<Location> location = Locate(path);
  if (!location) return std::nullopt;
  return NativeOf(*location);
}

// Within a run a whole drive path whose names have all settled keeps its native path, and a
// name in a folder known so is looked up on its own: the files of one folder cost one look-up
// each rather than one for every name of their paths.
std::optional<std::string> FileSystem::RunNativePath(const Text& path, bool& settled) const {
  settled = true;
  if (std::optional<std::string> known = cache_.KnownPath(path)) return known;
  std::optional<std::string> native;
  std::size_t cut = path.find_last_of(U"\\/");
  TextView name = TextView(path).substr(cut + 1);
  if (cut > 2 && !name.empty() && name != U"." && name != U"..") {
    Text folder = path.substr(0, cut);
    native = RunNativePath(folder, settled);
    if (!native) return std::nullopt;
    native = ResolveName(*native, Text(name), &settled);
  } else {
    std::optional<Location> location = Locate(path);
    if (!location) return std::nullopt;
    native = NativeOf(*location, &settled);
  }
  if (settled) cache_.NoteKnownPath(path, *native);
  return native;
}

std::optional<Text> FileSystem::DrivePath(const std::string& nativePath) const {
  const std::vector<std::string> target = native::Components(nativePath);
  std::optional<char32_t> best;
  std::size_t bestDepth = 0;
  for (const auto& [letter, root] : roots_) {
    std::vector<std::string> rootNames = native::Components(root);
    if (!HoldsPath(rootNames, target) || (best && rootNames.size() <= bestDepth)) continue;
    best = letter;
    bestDepth = rootNames.size();
  }
  if (!best) return std::nullopt;
  Text path = Text(1, *best) + U":";
  for (std::size_t i = bestDepth; i < target.size(); ++i) path += U"\\" + FromUtf8(target[i]);
  return path.size() == 2 ? path + U"\\" : path;
}

bool FileSystem::Exists(const Text& path) const {
  std::optional<std::string> native = NativePath(path);
  return native && native::Exists(*native);
}

bool FileSystem::IsFolder(const Text& path) const {
  std::optional<std::string> native = NativePath(path);
  return native && native::IsFolder(*native);
}

bool FileSystem::IsPlainFile(const Text& path) const {
  std::optional<std::string> native = NativePath(path);
  return native && native::IsFile(*native) && !native::IsHidden(*native);
}

bool FileSystem::CreateFolder(const Text& path) const {
  std::optional<std::string> native = NativePath(path);
  if (!native || Fails(FileOperation::kCreateFolder, *native) || !native::CreateFolder(*native)) return false;
  NoteCreated(*native);
  return true;
}

bool FileSystem::DeleteFile(const Text& path) const {
  std::optional<std::string> native = NativePath(path);
  return native && native::IsFile(*native) && native::RemoveFile(*native);
}

bool FileSystem::RenameFile(const Text& from, const Text& to) const {
  std::optional<std::string> source = NativePath(from);
  std::optional<std::string> target = NativePath(to);
  if (!source || !target || Fails(FileOperation::kRename, *target) || !native::Rename(*source, *target)) return false;
  NoteCreated(*target);
  return true;
}

bool FileSystem::WriteAll(int file, std::string_view bytes, const std::string& nativePath) const {
  Fault::Kind fault = FaultOf(FileOperation::kWrite, nativePath);
  if (fault == Fault::kError) return false;
  if (fault == Fault::kShortWrite) bytes = bytes.substr(0, bytes.size() / 2);
  return native::WriteAll(file, bytes) && fault == Fault::kNone;
}

std::optional<std::uintmax_t> FileSystem::FileLength(const Text& path) const {
  std::optional<std::string> native = NativePath(path);
  if (!native) return std::nullopt;
  return native::Length(*native);
}

std::optional<std::string> FileSystem::ReadFile(const Text& path) const {
  std::optional<std::string> native = NativePath(path);
  if (!native) return std::nullopt;
  return native::Read(*native);
}

std::optional<std::string> FileSystem::ReadPlainFile(const Text& path, bool& unreadable, std::size_t max) const {
  unreadable = false;
  std::optional<std::string> native = NativePath(path);
  if (!native || native::IsHidden(*native)) return std::nullopt;
  std::optional<std::string> bytes = native::Read(*native, max);
  if (!bytes) unreadable = native::IsFile(*native);
  return bytes;
}

std::vector<Text> FileSystem::ListPlainFiles(const Text& pattern) const {
  std::size_t slash = pattern.find_last_of(U"\\/");
  Text folder = slash == Text::npos ? Text() : pattern.substr(0, slash + 1);
  Text wildcard = slash == Text::npos ? pattern : pattern.substr(slash + 1);
  if (wildcard == U"*.*") wildcard = U"*";
  if (folder.empty()) folder = U".";
  std::optional<std::string> native = NativePath(folder);
  std::vector<Text> names;
  if (!native) return names;
  for (const native::Entry& entry : native::List(*native)) {
    if (!entry.isFile || !IsListed(entry)) continue;
    Text name = FromUtf8(entry.name);
    if (WildcardMatch(wildcard, name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<Text> FileSystem::ListFolders(const Text& path) const {
  std::vector<Text> names;
  std::optional<std::string> native = NativePath(path);
  if (!native) return names;
  for (const native::Entry& entry : native::List(*native)) {
    if (entry.isFolder && IsListed(entry)) names.push_back(FromUtf8(entry.name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<Text> DriveFormOf(const FileSystem& files, const std::string& nativePath) {
  std::optional<std::string> absolute = native::Absolute(nativePath);
  if (!absolute) return std::nullopt;
  return files.DrivePath(*absolute);
}

Text ProgramFolder(const FileSystem& files) {
  std::optional<std::string> folder = native::Environment("TECRIS2QUILLO_PROGRAM_FOLDER");
  if (!folder) folder = native::ExecutableFolder();
  if (!folder) folder = native::Absolute(".");
  if (!folder) return Text();
  return DriveFormOf(files, *folder).value_or(FromUtf8(*folder));
}

}  // namespace tq
