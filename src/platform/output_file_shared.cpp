// What output files share on every system: their lines, their commit, the temporary file
// through which each is put in place.
#include <string>

#include "common/errors.h"
#include "platform/boring_files.h"
#include "platform/file_system.h"
#include "platform/native_files.h"
#include "platform/output_file.h"

namespace tq {
namespace {

// A hidden name next to the target, unique per process and attempt.
std::string TemporaryName(const std::string& target, unsigned long processId, int attempt) {
  std::size_t separator = target.find_last_of("/\\");
  std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  std::string name = "." + target.substr(nameStart) + ".tmp" + std::to_string(processId);
  if (attempt > 0) name += "-" + std::to_string(attempt);
  return target.substr(0, nameStart) + name;
}

// Creates a temporary file next to the target. A run killed while writing leaves its
// temporary file behind, and a later process may get the same id, so a name that is taken
// is passed over rather than reused: it may still be another machine's on a shared folder.
native::FileNumber CreateTemporary(const FileSystem& files, const std::string& target, std::string& temporary) {
  if (files.Fails(FileOperation::kOpen, target)) return native::kNoFile;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = TemporaryName(target, native::ProcessId(), attempt);
    bool taken = false;
    native::FileNumber file = native::CreateNewFile(temporary, taken);
    if (file != native::kNoFile || !taken) return file;
  }
  return native::kNoFile;
}

// Writes the temporary file; false (with the temporary file removed) on any failure.
bool WriteTemporary(const FileSystem& files, native::FileNumber file, const std::string& temporary,
                    const std::string& target, const std::string& bytes, bool durable) {
  bool ok = !files.Fails(FileOperation::kWrite, target) && native::WriteAll(file, bytes);
  if (ok && durable) ok = !files.Fails(FileOperation::kSync, target) && native::SyncFile(file);
  if (!native::CloseFile(file)) ok = false;
  if (!ok) native::RemoveFile(temporary);
  return ok;
}

}  // namespace

void OutputFile::WriteLine(TextView line) {
  bytes_ += ToShiftJis(line);
  bytes_ += "\r\n";
}

void OutputFile::Commit() { files_.Commit(name_, bytes_); }

Text CannotWriteCause(const Text& path) {
  return U"ファイル「" + path + U"」を書き込めません。書き込み先のフォルダと空き容量を確認してください。";
}

void ReplaceFileContents(const FileSystem& files, const Text& path, const std::string& bytes, bool durable) {
  std::optional<std::string> target = files.NativePath(path);
  if (!target) throw ConversionError(CannotWriteCause(path));
  std::string temporary;
  native::FileNumber file = CreateTemporary(files, *target, temporary);
  if (file == native::kNoFile || !WriteTemporary(files, file, temporary, *target, bytes, durable)) {
    throw ConversionError(CannotWriteCause(path));
  }
  if (files.Fails(FileOperation::kRename, *target) || !native::Rename(temporary, *target)) {
    native::RemoveFile(temporary);
    throw ConversionError(CannotWriteCause(path));
  }
}

}  // namespace tq
