// The native file system on POSIX: drives from the environment, names that tell case apart.
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "platform/file_system.h"
#include "platform/native_files.h"

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

bool IsDotName(const std::string& name) { return !name.empty() && name[0] == '.'; }

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

namespace native {

bool IsNativeAbsolute(TextView path) { return !path.empty() && path[0] == U'/'; }

std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> names;
  for (const fs::path& part : fs::path(path).lexically_normal().relative_path()) {
    std::string name = part.string();
    if (!name.empty() && name != ".") names.push_back(name);
  }
  return names;
}

bool NamesTellCaseApart() { return true; }

bool SameName(const std::string& a, const std::string& b) { return a == b; }

std::string Join(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string ResolveName(const std::string& folder, const Text& name) {
  std::string exact = ToUtf8(name);
  std::error_code ec;
  if (fs::exists(Join(folder, exact), ec)) return exact;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string candidate = it->path().filename().string();
    if (SameIgnoringCase(FromUtf8(candidate), name)) return candidate;
  }
  return exact;
}

std::optional<std::string> Absolute(const std::string& path) {
  std::error_code ec;
  fs::path absolute = fs::absolute(path, ec);
  if (ec) return std::nullopt;
  std::string normal = absolute.lexically_normal().string();
  while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  return normal;
}

bool Exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

bool EntryExists(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

EntryKind KindOfEntry(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) return EntryKind::kMissing;
  if (S_ISLNK(status.st_mode)) return EntryKind::kLink;
  return S_ISDIR(status.st_mode) ? EntryKind::kFolder : EntryKind::kOther;
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool IsFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool IsHidden(const std::string& path) { return IsDotName(fs::path(path).filename().string()); }

bool CreateFolder(const std::string& path) {
  std::error_code ec;
  return fs::create_directory(path, ec);
}

bool RemoveFile(const std::string& path) {
  std::error_code ec;
  return fs::remove(path, ec);
}

bool Rename(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  return !ec;
}

bool RenameFolder(const std::string& from, const std::string& to) {
  // rename() would put an empty folder made meanwhile under the same name out of the way.
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  // Only a file system that cannot rename without replacing is asked the slow way.
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
#endif
  if (EntryExists(to)) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveTree(const std::string& path) {
  std::error_code ec;
  fs::remove_all(path, ec);
  return !ec;
}

std::optional<std::uintmax_t> Length(const std::string& path) {
  std::error_code ec;
  std::uintmax_t size = fs::file_size(path, ec);
  if (ec) return std::nullopt;
  return size;
}

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  constexpr std::int64_t kBillion = 1000000000;
  FileStamp stamp;
  stamp.length = static_cast<std::uintmax_t>(status.st_size);
  stamp.volume = static_cast<std::uint64_t>(status.st_dev);
  stamp.file = static_cast<std::uint64_t>(status.st_ino);
  stamp.modified = static_cast<std::int64_t>(status.st_mtim.tv_sec) * kBillion + status.st_mtim.tv_nsec;
  stamp.changed = static_cast<std::int64_t>(status.st_ctim.tv_sec) * kBillion + status.st_ctim.tv_nsec;
  struct timespec now {};
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::int64_t latest = std::max(stamp.modified, stamp.changed);
  stamp.recent = IsRecentChange(latest, static_cast<std::int64_t>(now.tv_sec) * kBillion + now.tv_nsec, kBillion);
  return stamp;
}

// The whole file in one read where its length allows, reading on until the end for a file that
// grows meanwhile.
std::optional<std::string> Read(const std::string& path, std::size_t max) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::size_t expected = status.st_size > 0 ? static_cast<std::size_t>(status.st_size) + 1 : 4096;
  std::string bytes(std::min(expected, max), '\0');
  std::size_t length = 0;
  for (;;) {
    if (length == bytes.size() && length < max) bytes.resize(std::min(bytes.size() * 2, max));
    std::size_t wanted = bytes.size() - length;
    ssize_t got = length == max ? 0 : ::read(fd, bytes.data() + length, wanted);
    if (got < 0 && errno == EINTR) continue;
    if (got > 0) length += static_cast<std::size_t>(got);
    // A regular file gives less than asked only at its end, so a short read needs no second one.
    if (got <= 0 || static_cast<std::size_t>(got) < wanted) {
      ::close(fd);
      if (got < 0) return std::nullopt;
      bytes.resize(length);
      return bytes;
    }
  }
}

std::vector<Entry> List(const std::string& folder) {
  std::vector<Entry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    Entry entry;
    entry.name = it->path().filename().string();
    entry.isFolder = it->is_directory(typeError);
    entry.isFile = it->is_regular_file(typeError);
    entry.hidden = IsDotName(entry.name);
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

std::optional<std::string> ExecutableFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return std::nullopt;
  return exe.parent_path().string();
}

namespace {

// Asked for every temporary name and every lock; a forked child asks the system again.
std::atomic<pid_t> cachedProcessId{0};

void ForgetProcessId() { cachedProcessId = 0; }

}  // namespace

unsigned long ProcessId() {
  static const bool resetInChildren = ::pthread_atfork(nullptr, nullptr, ForgetProcessId) == 0;
  pid_t id = cachedProcessId;
  if (id == 0 || !resetInChildren) {
    id = ::getpid();
    cachedProcessId = id;
  }
  return static_cast<unsigned long>(id);
}

bool ProcessIsGone(unsigned long id) {
  return id > 0 && id <= INT_MAX && ::kill(static_cast<pid_t>(id), 0) != 0 && errno == ESRCH;
}

std::string HostName() {
  char buffer[HOST_NAME_MAX + 1] = {};
  if (::gethostname(buffer, sizeof buffer - 1) != 0 || buffer[0] == '\0') return "localhost";
  return buffer;
}

std::string DefaultSysDir() {
  if (std::optional<std::string> config = Environment("XDG_CONFIG_HOME")) return *config + "/tecris2quillo";
  return Environment("HOME").value_or("") + "/.config/tecris2quillo";
}

}  // namespace native
}  // namespace tq
