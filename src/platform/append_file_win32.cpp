// Windows appends through FILE_APPEND_DATA; folders need no sync of their own.
#include <optional>

#include "platform/append_file.h"
#include "platform/file_system.h"
#include "platform/native_files.h"
#include "platform/win32.h"

namespace tq {

namespace native {

// With FILE_APPEND_DATA alone, every write goes to the end of the file as the system finds it
// at that moment, so appends of two converters never overwrite each other.
FileNumber OpenForAppend(const std::string& path) {
  return win32::NumberOf(::CreateFileW(win32::Wide(path).c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::optional<std::uintmax_t> LengthOf(FileNumber file) {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(win32::HandleOf(file), &size)) return std::nullopt;
  return static_cast<std::uintmax_t>(size.QuadPart);
}

// An append-only handle cannot move the end of its file, so a second handle does it.
bool Truncate(FileNumber, const std::string& path, std::uintmax_t length) {
  win32::Handle file(::CreateFileW(win32::Wide(path).c_str(), GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER end{};
  end.QuadPart = static_cast<LONGLONG>(length);
  return file.IsOpen() && ::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.Get()) &&
         ::FlushFileBuffers(file.Get());
}

}  // namespace native

// Renames on Windows are made with MOVEFILE_WRITE_THROUGH and are on the disk when they
// return; a folder has nothing more to force out.
bool SyncFolderOf(const FileSystem& files, const Text& path) {
  std::optional<std::string> native = files.NativePath(path);
  if (!native) return false;
  std::size_t separator = native->find_last_of("\\/");
  return !files.Fails(FileOperation::kSync, separator == std::string::npos ? "." : native->substr(0, separator));
}

}  // namespace tq
