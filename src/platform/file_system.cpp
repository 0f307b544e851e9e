// Windows paths with drive letters mapped onto the native file system.
#include "platform/file_system.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace tq {
namespace fs = std::filesystem;
namespace {

char32_t UpperAscii(char32_t c) { return (c >= U'a' && c <= U'z') ? c - U'a' + U'A' : c; }

bool SameIgnoringCase(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

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

std::string JoinNative(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

// The native name of an entry in a native folder: as written when it exists, else the first
// entry whose name differs only in case, else as written.
std::string ResolveName(const std::string& folder, const Text& name) {
  std::string exact = ToUtf8(name);
  std::error_code ec;
  if (fs::exists(JoinNative(folder, exact), ec)) return exact;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string candidate = it->path().filename().string();
    if (SameIgnoringCase(FromUtf8(candidate), name)) return candidate;
  }
  return exact;
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

bool IsHiddenName(const std::string& name) { return !name.empty() && name[0] == '.'; }

// A backslash separates folders in the program's paths, so an entry whose native name holds
// one could be listed but never opened: the path made from it names another entry, or none.
bool IsNameableInPaths(const std::string& name) { return name.find('\\') == std::string::npos; }

std::map<char32_t, std::string> DriveRootsFromEnvironment() {
  std::map<char32_t, std::string> roots{{U'Z', "/"}};
  const char* table = std::getenv("TECRIS2QUILLO_DRIVES");
  if (table == nullptr) return roots;
  std::stringstream entries(table);
  std::string entry;
  while (std::getline(entries, entry, ';')) {
    std::size_t equals = entry.find('=');
    if (equals != 1 || entry.size() < 3) continue;
    char32_t letter = UpperAscii(static_cast<unsigned char>(entry[0]));
    if (letter < U'A' || letter > U'Z') continue;
    std::error_code ec;
    fs::path root = fs::absolute(entry.substr(2), ec);
    roots[letter] = ec ? entry.substr(2) : root.lexically_normal().string();
  }
  return roots;
}

}  // namespace

FileSystem FileSystem::FromEnvironment() { return FileSystem(DriveRootsFromEnvironment()); }

FileSystem::FileSystem(std::map<char32_t, std::string> driveRoots) : roots_(std::move(driveRoots)) {
  for (auto& [letter, root] : roots_) {
    if (root.size() > 1 && root.back() == '/') root.pop_back();
    currentFolders_[letter] = {};
  }
  if (!roots_.empty()) currentDrive_ = roots_.begin()->first;
  std::error_code ec;
  std::string cwd = fs::current_path(ec).string();
  if (ec) return;
  std::optional<Text> here = DrivePath(cwd);
  if (!here) return;
  currentDrive_ = UpperAscii((*here)[0]);
  Descend(currentFolders_[currentDrive_], SplitFolders(here->substr(2)));
}

std::vector<char32_t> FileSystem::Drives() const {
  std::vector<char32_t> letters;
  for (const auto& entry : roots_) letters.push_back(entry.first);
  return letters;
}

bool FileSystem::SetCurrentDrive(char32_t letter) {
  letter = UpperAscii(letter);
  auto root = roots_.find(letter);
  if (root == roots_.end()) return false;
  std::error_code ec;
  if (!fs::is_directory(root->second, ec)) return false;
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
  if (!location) return false;
  std::error_code ec;
  if (!fs::is_directory(NativeOf(*location), ec)) return false;
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

std::string FileSystem::NativeOf(const Location& location) const {
  std::string native = roots_.at(location.drive);
  for (const Text& name : location.folders) native = JoinNative(native, ResolveName(native, name));
  return native;
}

std::optional<std::string> FileSystem::NativePath(const Text& path) const {
  if (!path.empty() && path[0] == U'/') return ToUtf8(path);
  std::optional<Location> location = Locate(path);
  if (!location) return std::nullopt;
  return NativeOf(*location);
}

std::optional<Text> FileSystem::DrivePath(const std::string& nativePath) const {
  fs::path target = fs::path(nativePath).lexically_normal();
  std::optional<char32_t> best;
  std::size_t bestLength = 0;
  for (const auto& [letter, root] : roots_) {
    fs::path rootPath = fs::path(root).lexically_normal();
    auto mismatch = std::mismatch(rootPath.begin(), rootPath.end(), target.begin(), target.end());
    bool isPrefix = mismatch.first == rootPath.end() ||
                    (std::next(mismatch.first) == rootPath.end() && mismatch.first->empty());
    if (!isPrefix || (best && root.size() <= bestLength)) continue;
    best = letter;
    bestLength = root.size();
  }
  if (!best) return std::nullopt;
  fs::path relative = target.lexically_relative(fs::path(roots_.at(*best)).lexically_normal());
  Text path = Text(1, *best) + U":";
  for (const fs::path& part : relative) {
    std::string name = part.string();
    if (name.empty() || name == ".") continue;
    path += U"\\" + FromUtf8(name);
  }
  return path.size() == 2 ? path + U"\\" : path;
}

bool FileSystem::Exists(const Text& path) const {
  std::optional<std::string> native = NativePath(path);
  std::error_code ec;
  return native && fs::exists(*native, ec);
}

bool FileSystem::IsFolder(const Text& path) const {
  std::optional<std::string> native = NativePath(path);
  std::error_code ec;
  return native && fs::is_directory(*native, ec);
}

bool FileSystem::IsPlainFile(const Text& path) const {
  std::optional<std::string> native = NativePath(path);
  std::error_code ec;
  if (!native || !fs::is_regular_file(*native, ec)) return false;
  return !IsHiddenName(fs::path(*native).filename().string());
}

bool FileSystem::CreateFolder(const Text& path) const {
  std::optional<std::string> native = NativePath(path);
  if (!native || Fails(FileOperation::kCreateFolder, *native)) return false;
  std::error_code ec;
  return fs::create_directory(*native, ec);
}

bool FileSystem::DeleteFile(const Text& path) const {
  std::optional<std::string> native = NativePath(path);
  std::error_code ec;
  return native && fs::is_regular_file(*native, ec) && fs::remove(*native, ec);
}

bool FileSystem::RenameFile(const Text& from, const Text& to) const {
  std::optional<std::string> source = NativePath(from);
  std::optional<std::string> target = NativePath(to);
  if (!source || !target || Fails(FileOperation::kRename, *target)) return false;
  std::error_code ec;
  fs::rename(*source, *target, ec);
  return !ec;
}

bool FileSystem::WriteAll(int fd, std::string_view bytes, const std::string& nativePath) const {
  Fault::Kind fault = FaultOf(FileOperation::kWrite, nativePath);
  if (fault == Fault::kError) return false;
  if (fault == Fault::kShortWrite) bytes = bytes.substr(0, bytes.size() / 2);
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return fault == Fault::kNone;
}

std::optional<std::uintmax_t> FileSystem::FileLength(const Text& path) const {
  std::optional<std::string> native = NativePath(path);
  if (!native) return std::nullopt;
  std::error_code ec;
  std::uintmax_t size = fs::file_size(*native, ec);
  if (ec) return std::nullopt;
  return size;
}

std::optional<std::string> FileSystem::ReadFile(const Text& path) const {
  std::optional<std::string> native = NativePath(path);
  std::error_code ec;
  if (!native || !fs::is_regular_file(*native, ec)) return std::nullopt;
  std::ifstream in(*native, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return std::move(bytes).str();
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
  std::error_code ec;
  for (fs::directory_iterator it(*native, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    std::error_code typeError;
    if (IsHiddenName(name) || !IsNameableInPaths(name) || !it->is_regular_file(typeError)) continue;
    Text text = FromUtf8(name);
    if (WildcardMatch(wildcard, text)) names.push_back(text);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<Text> FileSystem::ListFolders(const Text& path) const {
  std::vector<Text> names;
  std::optional<std::string> native = NativePath(path);
  if (!native) return names;
  std::error_code ec;
  for (fs::directory_iterator it(*native, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    std::error_code typeError;
    if (IsHiddenName(name) || !IsNameableInPaths(name) || !it->is_directory(typeError)) continue;
    names.push_back(FromUtf8(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

Text ProgramFolder(const FileSystem& files) {
  std::error_code ec;
  std::string folder;
  if (const char* configured = std::getenv("TECRIS2QUILLO_PROGRAM_FOLDER"); configured != nullptr && *configured) {
    fs::path path = fs::absolute(configured, ec);
    folder = ec ? std::string(configured) : path.lexically_normal().string();
  } else {
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    folder = ec ? fs::current_path(ec).string() : exe.parent_path().string();
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  std::optional<Text> path = files.DrivePath(folder);
  return path ? *path : FromUtf8(folder);
}

}  // namespace tq
