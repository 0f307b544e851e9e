// In-place appends on every system, each write at the end of the file as the system finds it.
#include <optional>

#include "platform/append_file.h"
#include "platform/file_system.h"
#include "platform/native_files.h"

namespace tq {
namespace {

bool WriteAndSync(const FileSystem& files, native::FileNumber file, const std::string& path, const std::string& bytes) {
  if (files.Fails(FileOperation::kWrite, path) || !native::WriteAll(file, bytes)) return false;
  return !files.Fails(FileOperation::kSync, path) && native::SyncFile(file);
}

}  // namespace

bool AppendToFile(const FileSystem& files, const Text& path, const std::string& bytes) {
  std::optional<std::string> native = files.NativePath(path);
  if (!native || files.Fails(FileOperation::kOpen, *native)) return false;
  native::FileNumber file = native::OpenForAppend(*native);
  if (file == native::kNoFile) return false;
  bool ok = bytes.empty() || WriteAndSync(files, file, *native, bytes);
  if (!native::CloseFile(file)) ok = false;
  return ok;
}

}  // namespace tq
