// In-place appends on every system, each write at the end of the file as the system finds it,
// leaving the file as it was when they fail.
#include <optional>

#include "platform/append_file.h"
#include "platform/file_system.h"
#include "platform/native_files.h"

namespace tq {
namespace {

// A write that fails half-way (a full disk) leaves part of a row; cutting the file back to its
// old length keeps every reader of the table from meeting a row cut short.
bool WriteSyncOrRestore(const FileSystem& files, native::FileNumber file, const std::string& path,
                        const std::string& bytes) {
  std::optional<std::uintmax_t> before = native::LengthOf(file);
  if (!before) return false;
  if (files.WriteAll(file, bytes, path) && !files.Fails(FileOperation::kSync, path) && native::SyncFile(file)) {
    return true;
  }
  if (native::Truncate(file, path, *before)) native::SyncFile(file);
  return false;
}

}  // namespace

bool AppendToFile(const FileSystem& files, const Text& path, const std::string& bytes) {
  std::optional<std::string> native = files.NativePath(path);
  if (!native || files.Fails(FileOperation::kOpen, *native)) return false;
  native::FileNumber file = native::OpenForAppend(*native);
  if (file == native::kNoFile) return false;
  files.NoteCreated(*native);
  bool ok = bytes.empty() || WriteSyncOrRestore(files, file, *native, bytes);
  if (!native::CloseFile(file)) ok = false;
  return ok;
}

}  // namespace tq
