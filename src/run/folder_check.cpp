// Folder path check, destination folder creation, path splitting and counting.
#include "run/folder_check.h"

#include "common/errors.h"
#include "platform/file_system.h"
#include "platform/output_file.h"
#include "platform/paths.h"
#include "platform/qpro.h"

namespace tq {
namespace {

bool IsBlank(char32_t c) { return c == U' ' || c == U'\u3000'; }

// Leading, then trailing half-width and full-width spaces removed.
Text TrimBlanks(TextView text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  std::size_t end = text.size();
  while (end > start && IsBlank(text[end - 1])) --end;
  return Text(text.substr(start, end - start));
}

// A check whose messages nobody is to see.
class SilentBoxes : public MessageBoxes {
 public:
  int MsgBox(const Text&, int, const std::optional<Text>&) override { return kAnswerOk; }
};

// The detail line under the question: the folder the answer Yes creates, without the backslash.
Text CreateFolderDetail(const Text& destination) {
  Text folder = EndsWith(destination, U"\\") ? destination.substr(0, destination.size() - 1) : destination;
  return U"作成するフォルダ: " + folder;
}

}  // namespace

bool CheckFolderPath(FileSystem& files, Text& path, MessageBoxes& boxes) {
  path = TrimBlanks(path);
  if (ShiftJisMid(path, 2, 1) != U":") {
    boxes.MsgBox(kDriveNameMessage, kStyleOkInformation, std::nullopt);
    return false;
  }
  if (path.find_first_of(U"*?") != Text::npos) return false;
  if (path.size() > 2 && path[2] != U'\\') path = path.substr(0, 2) + U"\\" + path.substr(2);
  if (!files.SetCurrentDrive(path[0])) return false;
  path = WithBackslash(path);
  if (path.size() == 3 && EndsWith(path, U":\\")) return true;
  return path.find(U"\\\\") == Text::npos;
}

// The check makes the drive current on a copy of the file system, which is dropped with it.
bool CompleteFolderPath(const FileSystem& files, Text& path) {
  FileSystem scratch = files;
  SilentBoxes boxes;
  return CheckFolderPath(scratch, path, boxes);
}

EnsureResult EnsureDestinationFolder(const FileSystem& fs, const Text& destination, MessageBoxes& boxes) {
  std::int16_t n = CountSeparators(destination, U"\\");
  if (n < 0 || n > 255) throw ConversionError(U"フォルダ「" + destination + U"」のパスが深すぎます。");
  PathParts parts;
  SplitPath(destination, U"\\", parts);
  Text p = parts[1];
  bool missing = false;
  for (int i = 2; i <= n + 1; ++i) {
    p += U"\\" + parts[i];
    if (!fs.Exists(p)) {
      missing = true;
      break;
    }
  }
  if (!missing) return EnsureResult::kExists;
  if (boxes.MsgBox(kCreateFolderQuestion + U"\n" + CreateFolderDetail(destination), kStyleYesNoQuestion,
                   std::nullopt) != kAnswerYes) {
    return EnsureResult::kDeclined;
  }
  p = parts[1];
  for (int i = 2; i <= n + 1; ++i) {
    p += U"\\" + parts[i];
    if (fs.Exists(p)) continue;
    if (!fs.CreateFolder(p)) throw ConversionError(CannotCreateFolderCause(p));
  }
  return EnsureResult::kExists;
}

std::int16_t CountSeparators(TextView path, TextView separators) {
  std::int32_t total = 0;
  for (char32_t c : separators) total += InCount(path, TextView(&c, 1));
  return static_cast<std::int16_t>(total);
}

void SplitPath(TextView path, TextView separators, PathParts& parts) {
  std::size_t k = 1;
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size() && k < parts.size(); ++i) {
    if (separators.find(path[i]) == TextView::npos) continue;
    parts[k++] = Text(path.substr(start, i - start));
    start = i + 1;
  }
  if (k < parts.size()) parts[k] = Text(path.substr(start));
}

}  // namespace tq
