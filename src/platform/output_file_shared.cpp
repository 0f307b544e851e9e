// What output files share on every system: their lines, their commit, their temporary names.
#include "platform/boring_files.h"
#include "platform/output_file.h"
#include "platform/temporary_name.h"

namespace tq {

void OutputFile::WriteLine(TextView line) {
  bytes_ += ToShiftJis(line);
  bytes_ += "\r\n";
}

void OutputFile::Commit() { files_.Commit(name_, bytes_); }

Text CannotWriteCause(const Text& path) {
  return U"ファイル「" + path + U"」を書き込めません。書き込み先のフォルダと空き容量を確認してください。";
}

std::string TemporaryName(const std::string& nativeTarget, unsigned long processId, int attempt) {
  std::size_t separator = nativeTarget.find_last_of("/\\");
  std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  std::string name = "." + nativeTarget.substr(nameStart) + ".tmp" + std::to_string(processId);
  if (attempt > 0) name += "-" + std::to_string(attempt);
  return nativeTarget.substr(0, nameStart) + name;
}

}  // namespace tq
