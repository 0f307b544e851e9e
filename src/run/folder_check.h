// Checking the folder paths of the window and creating the destination folder.
#pragma once

#include <array>
#include <cstdint>

#include "common/text.h"
#include "platform/file_system.h"
#include "platform/message_box.h"

namespace tq {

inline const Text kDriveNameMessage =
    U"規定値のドライブ名が正しくありません。ドライブ名は１文字のアルファベットと \":\" でなければいけません。  例 "
    U"\"C:\", \"D:\"...";
inline const Text kCreateFolderQuestion = U"フォルダがありません。新規作成しますか？";

// Trims path and completes it in place (backslash after the drive colon, one at the end).
// True when it names a folder on an existing drive; the drive becomes the current drive.
bool CheckFolderPath(FileSystem& files, Text& path, MessageBoxes& boxes);

// The same check and completion for a caller that only wants the completed text: it shows no
// message and leaves the current drive as it is.
bool CompleteFolderPath(const FileSystem& files, Text& path);

enum class EnsureResult { kExists, kDeclined };

// Makes the completed destination folder exist, asking once before creating missing levels.
// Throws ConversionError when a level cannot be created.
EnsureResult EnsureDestinationFolder(const FileSystem& files, const Text& destination, MessageBoxes& boxes);

using PathParts = std::array<Text, 257>;

std::int16_t CountSeparators(TextView path, TextView separators);
void SplitPath(TextView path, TextView separators, PathParts& parts);

}  // namespace tq
