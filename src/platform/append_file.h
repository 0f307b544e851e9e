// Appending to files in place, for tables that only ever grow at their end.
#pragma once

#include <string>

#include "common/text.h"

namespace tq {

class FileSystem;

// Appends bytes at the end of a file, creating the file when it is missing and forcing the bytes
// to the disk. With no bytes, it only makes sure the file exists and leaves an existing one
// unchanged. False when the file cannot be opened, written or synced; the file is then cut back
// to its old length, so it holds either its old bytes or all of the new ones. Writers of the same
// file must take turns (a lock), or the length cut back to may hold another writer's bytes.
bool AppendToFile(const FileSystem& files, const Text& path, const std::string& bytes);

// Forces the entries of a file's folder (such as a rename just made) to the disk.
bool SyncFolderOf(const FileSystem& files, const Text& path);

}  // namespace tq
