// The convertible source files of a folder, as the file list offers them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/text.h"
#include "platform/file_system.h"

namespace tq {

// Eight ASCII digits, a dot, three ASCII digits.
bool IsConvertibleFileName(TextView name);

// Fills names from index 1 with the plain files that match pattern, in name order. The table
// grows when the folder holds more names than it has room for.
void ListFiles(const FileSystem& files, const Text& pattern, std::vector<Text>& names);

// The convertible files of a folder path (a drive root ends with a backslash, any other folder
// need not): convertible names whose first record carries the same eleven digits.
std::vector<Text> ListConvertibleFiles(const FileSystem& files, const Text& folder);

// Every plain file of the folder in name order, with the reason it is not offered (the name's
// pattern, an identifier other than the name's digits, unreadable, empty); no reason when it is.
struct ListedFile {
  Text name;
  std::optional<Text> whyNotOffered;
};
std::vector<ListedFile> ListFilesWithReasons(const FileSystem& files, const Text& folder);

}  // namespace tq
