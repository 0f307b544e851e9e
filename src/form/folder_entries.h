// The entries of the drive lists and the folder lists, as both windows show them.
#pragma once

#include <vector>

#include "common/text.h"
#include "form/form_view.h"
#include "platform/file_system.h"

namespace tq {

// The length of a drive root path such as "T:\", the top of every folder list.
inline constexpr std::size_t kRootLength = 3;

// A drive letter as the drive and folder lists show it: in lower case, as Windows shows it.
char32_t DriveLetterCaption(char32_t letter);

// "t: [native root]": the native root stands where a Windows drive list shows the volume label,
// and is left out where it says nothing more than the letter.
Text DriveCaption(const FileSystem& files, char32_t letter);

// A folder list's path: "T:\" for a drive root, "T:\a\b" for any other folder.
Text FolderListPath(const Text& path);

// The root, the folders down to path, then path's subfolders; the current entry is path's own.
struct FolderEntries {
  std::vector<FolderEntry> entries;
  int current = 0;
};
FolderEntries FolderEntriesOf(const FileSystem& files, const Text& path);

}  // namespace tq
