// Whole-or-nothing output files.
#include "platform/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "common/errors.h"
#include "platform/boring_files.h"
#include "platform/file_system.h"
#include "platform/temporary_names.h"

namespace tq {
namespace fs = std::filesystem;
namespace {

// Creates a temporary file next to the target. A run killed while writing leaves its
// temporary file behind, and a later process may get the same id, so a name that is taken
// is passed over rather than reused.
int CreateTemporary(const FileSystem& files, const fs::path& target, std::string& temporary) {
  if (files.Fails(FileOperation::kOpen, target.string())) return -1;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = (target.parent_path() / TemporaryName(target.filename().string(), attempt)).string();
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Writes the temporary file; false (with the temporary file removed) on any failure.
bool WriteTemporary(const FileSystem& files, int fd, const std::string& temporary, const std::string& target,
                    const std::string& bytes, bool durable) {
  bool ok = files.WriteAll(fd, bytes, target);
  if (ok && durable) ok = !files.Fails(FileOperation::kSync, target) && ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

}  // namespace

void OutputFile::WriteLine(TextView line) {
  Write(line);
  EndLine();
}

void OutputFile::Commit() { files_.Commit(name_, bytes_); }

Text CannotWriteCause(const Text& path) {
  return U"ファイル「" + path + U"」を書き込めません。書き込み先のフォルダと空き容量を確認してください。";
}

std::optional<std::string> WriteTemporaryFile(const FileSystem& files, const std::string& target,
                                              const std::string& bytes, bool durable) {
  std::string temporary;
  int fd = CreateTemporary(files, fs::path(target), temporary);
  if (fd < 0 || !WriteTemporary(files, fd, temporary, target, bytes, durable)) return std::nullopt;
  return temporary;
}

void ReplaceFileContents(const FileSystem& files, const Text& path, const std::string& bytes, bool durable) {
  std::optional<std::string> target = files.NativePath(path);
  if (!target) throw ConversionError(CannotWriteCause(path));
  std::optional<std::string> temporary = WriteTemporaryFile(files, *target, bytes, durable);
  if (!temporary) throw ConversionError(CannotWriteCause(path));
  if (files.Fails(FileOperation::kRename, *target) || std::rename(temporary->c_str(), target->c_str()) != 0) {
    ::unlink(temporary->c_str());
    throw ConversionError(CannotWriteCause(path));
  }
}

}  // namespace tq
