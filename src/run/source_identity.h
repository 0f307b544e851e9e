// Source file identity: the numbered selected files, the boring identifier, the boring folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/text.h"
#include "platform/file_system.h"

namespace tq {

// Entry 0 stays empty; entries 1 to count hold the selected names in list order, trimmed.
// The count is not narrowed to 16 bits: a folder may offer more than 32767 files, and a run
// over all of them must convert them all, not report success for none.
void NumberSelectedFiles(const std::vector<Text>& selected, std::vector<Text>& names, std::int32_t& count);

// The bytes of a source file, or nothing when it is not a plain file (missing, hidden, a folder).
// Throws ConversionError when the file exists but cannot be read.
std::optional<std::string> ReadSourceBytes(const FileSystem& files, const Text& path);

// The 11-character second field of the first record of a source file's bytes, or the empty
// text when the identifier has another length or cannot name one folder.
Text BoringIdentifierOf(const std::string& bytes);

// The boring identifier of the file at path (see ReadSourceBytes and BoringIdentifierOf); the
// empty text when the file is not a plain file.
Text ReadBoringIdentifier(const FileSystem& files, const Text& path);

// Why ReadBoringIdentifier gives the empty text for a file: missing, a folder, or an identifier
// of another length or one that cannot name a folder. Throws ConversionError like it.
Text WhyFileIsRefused(const FileSystem& files, const Text& path);

// Whether an identifier can be the name of one folder under the destination folder.
bool IsSafeFolderName(TextView name);

// Creates prefix + identifier unless a file or folder of that name exists.
// Throws ConversionError when the folder cannot be created.
void EnsureBoringFolder(const FileSystem& files, const Text& prefix, const Text& identifier);

}  // namespace tq
