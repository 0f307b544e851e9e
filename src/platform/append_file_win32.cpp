// In-place appends on Windows through FILE_APPEND_DATA; folders need no sync of their own.
#include "platform/win32.h"

#include <optional>

#include "platform/append_file.h"
#include "platform/file_system.h"

namespace tq {
namespace {

bool WriteAndFlush(const FileSystem& files, HANDLE file, const std::string& native, const std::string& bytes) {
  if (files.Fails(FileOperation::kWrite, native) || !win32::WriteAll(file, bytes)) return false;
  return !files.Fails(FileOperation::kSync, native) && ::FlushFileBuffers(file);
}

}  // namespace

// With FILE_APPEND_DATA alone, every write goes to the end of the file as the system finds it
// at that moment, so appends of two converters never overwrite each other.
bool AppendToFile(const FileSystem& files, const Text& path, const std::string& bytes) {
  std::optional<std::string> native = files.NativePath(path);
  if (!native || files.Fails(FileOperation::kOpen, *native)) return false;
  win32::Handle file(::CreateFileW(win32::Wide(*native).c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  bool ok = bytes.empty() || WriteAndFlush(files, file.Get(), *native, bytes);
  if (!file.Close()) ok = false;
  return ok;
}

// Renames on Windows are made with MOVEFILE_WRITE_THROUGH and are on the disk when they
// return; a folder has nothing more to force out.
bool SyncFolderOf(const FileSystem& files, const Text& path) {
  std::optional<std::string> native = files.NativePath(path);
  return native && !files.Fails(FileOperation::kSync, *native);
}

}  // namespace tq
