// What the commands that read source files share: their folder arguments and the pattern folder.
#pragma once

#include <optional>
#include <string>

#include "common/text.h"
#include "patterns/pattern_data.h"
#include "platform/file_system.h"

namespace tq {

// The drive form of a folder argument; says on stderr when no drive holds it.
std::optional<Text> FolderArgument(const FileSystem& files, const std::string& argument);

// The folder the run reads its files from: a drive-form text completed as the run's check
// completes it ("C:src" is C:\src), so that the files listed are the files the run reads.
// The run shows its own messages about the text.
Text FolderAsTheRunReadsIt(const FileSystem& files, const Text& folder);

// The pattern data folder from --pattern-folder, else from the setting file; false (said on
// stderr) when there is none.
bool SetUpPatternFolder(PatternData& patterns, const std::optional<std::string>& option);

}  // namespace tq
