// Whole-or-nothing output files on Windows: a temporary file moved over the target.
#include "platform/win32.h"

#include "common/errors.h"
#include "platform/file_system.h"
#include "platform/native_files.h"
#include "platform/output_file.h"
#include "platform/temporary_name.h"

namespace tq {
namespace {

// Creates a temporary file next to the target, passing over names that are taken: one may
// still be another machine's on a shared folder.
HANDLE CreateTemporary(const FileSystem& files, const std::string& target, std::string& temporary) {
  if (files.Fails(FileOperation::kOpen, target)) return INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    temporary = TemporaryName(target, ::GetCurrentProcessId(), attempt);
    HANDLE file = ::CreateFileW(win32::Wide(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

// Writes the temporary file; false (with the temporary file removed) on any failure.
bool WriteTemporary(const FileSystem& files, HANDLE handle, const std::string& temporary, const std::string& target,
                    const std::string& bytes, bool durable) {
  win32::Handle file(handle);
  bool ok = !files.Fails(FileOperation::kWrite, target) && win32::WriteAll(file.Get(), bytes);
  if (ok && durable) ok = !files.Fails(FileOperation::kSync, target) && ::FlushFileBuffers(file.Get());
  if (!file.Close()) ok = false;
  if (!ok) native::RemoveFile(temporary);
  return ok;
}

}  // namespace

void ReplaceFileContents(const FileSystem& files, const Text& path, const std::string& bytes, bool durable) {
  std::optional<std::string> target = files.NativePath(path);
  if (!target) throw ConversionError(CannotWriteCause(path));
  std::string temporary;
  HANDLE file = CreateTemporary(files, *target, temporary);
  if (file == INVALID_HANDLE_VALUE || !WriteTemporary(files, file, temporary, *target, bytes, durable)) {
    throw ConversionError(CannotWriteCause(path));
  }
  if (files.Fails(FileOperation::kRename, *target) || !native::Rename(temporary, *target)) {
    native::RemoveFile(temporary);
    throw ConversionError(CannotWriteCause(path));
  }
}

}  // namespace tq
