// What output files share on every system: their lines, their commit, the temporary file
// through which each is put in place.
#include <string>
#include <utility>

#include "common/errors.h"
#include "platform/boring_files.h"
#include "platform/file_system.h"
#include "platform/native_files.h"
#include "platform/output_file.h"
#include "platform/temporary_names.h"

namespace tq {
namespace {

// Creates a temporary file next to the target. A run killed while writing leaves its
// temporary file behind, and a later process may get the same id, so a name that is taken
// is passed over rather than reused.
native::FileNumber CreateTemporary(const FileSystem& files, const std::string& target, std::string& temporary) {
  if (files.Fails(FileOperation::kOpen, target)) return native::kNoFile;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = TemporaryPathBeside(target, "", attempt);
    bool taken = false;
    native::FileNumber file = native::CreateNewFile(temporary, taken);
    if (file != native::kNoFile || !taken) return file;
  }
  return native::kNoFile;
}

// Writes the temporary file; false (with the temporary file removed) on any failure.
bool WriteTemporary(const FileSystem& files, native::FileNumber file, const std::string& temporary,
                    const std::string& target, const std::string& bytes, bool durable) {
  bool ok = files.WriteAll(file, bytes, target);
  if (ok && durable) ok = !files.Fails(FileOperation::kSync, target) && native::SyncFile(file);
  if (!native::CloseFile(file)) ok = false;
  if (!ok) native::RemoveFile(temporary);
  return ok;
}

}  // namespace

void OutputFile::WriteLine(TextView line) {
  Write(line);
  EndLine();
}

void OutputFile::Commit() { files_.Commit(name_, std::move(bytes_)); }

Text CannotWriteCause(const Text& path) {
  return U"ファイル「" + path + U"」を書き込めません。書き込み先のフォルダと空き容量を確認してください。";
}

Text CannotCreateFolderCause(const Text& folder) {
  return U"フォルダ「" + folder + U"」を作成できません。書き込みできる場所か確認してください。";
}

std::optional<std::string> WriteTemporaryFile(const FileSystem& files, const std::string& target,
                                              const std::string& bytes, bool durable) {
  std::string temporary;
  native::FileNumber file = CreateTemporary(files, target, temporary);
  if (file == native::kNoFile || !WriteTemporary(files, file, temporary, target, bytes, durable)) return std::nullopt;
  return temporary;
}

void ReplaceFileContents(const FileSystem& files, const Text& path, const std::string& bytes, bool durable) {
  std::optional<std::string> target = files.NativePath(path);
  if (!target) throw ConversionError(CannotWriteCause(path));
  std::optional<std::string> temporary = WriteTemporaryFile(files, *target, bytes, durable);
  if (!temporary) throw ConversionError(CannotWriteCause(path));
  if (files.Fails(FileOperation::kRename, *target) || !native::Rename(*temporary, *target)) {
    native::RemoveFile(*temporary);
    throw ConversionError(CannotWriteCause(path));
  }
  files.NoteCreated(*target);
}

}  // namespace tq
