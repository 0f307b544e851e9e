// Windows appends through FILE_APPEND_DATA; folders need no sync of their own.
#include "platform/win32.h"

#include <optional>

#include "platform/append_file.h"
#include "platform/file_system.h"
#include "platform/native_files.h"

namespace tq {

namespace native {

// With FILE_APPEND_DATA alone, every write goes to the end of the file as the system finds it
// at that moment, so appends of two converters never overwrite each other.
FileNumber OpenForAppend(const std::string& path) {
  return win32::NumberOf(::CreateFileW(win32::Wide(path).c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace native

// Renames on Windows are made with MOVEFILE_WRITE_THROUGH and are on the disk when they
// return; a folder has nothing more to force out.
bool SyncFolderOf(const FileSystem& files, const Text& path) {
  std::optional<std::string> native = files.NativePath(path);
  return native && !files.Fails(FileOperation::kSync, *native);
}

}  // namespace tq
