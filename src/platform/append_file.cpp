// In-place appends through O_APPEND, and folder syncs.
#include "platform/append_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>

#include "platform/file_system.h"

namespace tq {

bool AppendToFile(const Text& path, const std::string& bytes) {
  std::optional<std::string> native = FileSystem::Instance().NativePath(path);
  if (!native) return false;
  int fd = ::open(native->c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = true;
  if (!bytes.empty()) {
    ssize_t n;
    do {
      n = ::write(fd, bytes.data(), bytes.size());
    } while (n < 0 && errno == EINTR);
    ok = n == static_cast<ssize_t>(bytes.size()) && ::fsync(fd) == 0;
  }
  if (::close(fd) != 0) ok = false;
  return ok;
}

bool SyncFolderOf(const Text& path) {
  std::optional<std::string> native = FileSystem::Instance().NativePath(path);
  if (!native) return false;
  std::string folder = std::filesystem::path(*native).parent_path().string();
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

}  // namespace tq
