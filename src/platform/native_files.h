// The native file system under FileSystem: one implementation per operating system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/text.h"

namespace tq {

class FileSystem;

// Native paths are UTF-8 strings on every system; the Windows side turns them into UTF-16 at
// each system call, so that names outside the ANSI code page (Japanese folders on a machine
// set to another language) work.
namespace native {

// A path text that names a native location directly rather than through a drive: "/srv" on
// POSIX, a network path "\\server\share" on Windows.
bool IsNativeAbsolute(TextView path);

// The names of an absolute native path from its root on, with "." and ".." applied.
std::vector<std::string> Components(const std::string& path);
// Whether two names of one folder name the same entry.
bool SameName(const std::string& a, const std::string& b);

std::string Join(const std::string& folder, const std::string& name);
// The name under which an entry of the folder is found: as written, or, where the system
// itself tells case apart, the first entry that differs from it only in case.
std::string ResolveName(const std::string& folder, const Text& name);

// The absolute, normalised form of a native path taken relative to the working folder,
// without separators at its end (a root keeps its own).
std::optional<std::string> Absolute(const std::string& path);

bool Exists(const std::string& path);
bool IsFolder(const std::string& path);
bool IsFile(const std::string& path);
bool IsHidden(const std::string& path);
bool CreateFolder(const std::string& path);
bool RemoveFile(const std::string& path);
bool Rename(const std::string& from, const std::string& to);
std::optional<std::uintmax_t> Length(const std::string& path);
std::optional<std::string> Read(const std::string& path);

// An environment variable's value, when it is set and not empty.
std::optional<std::string> Environment(const char* name);
// The folder of the running executable.
std::optional<std::string> ExecutableFolder();
// The per-user configuration folder of the program when TECRIS2QUILLO_SYSDIR names none.
std::string DefaultSysDir();

struct Entry {
  std::string name;
  bool isFolder = false;
  bool isFile = false;
  bool hidden = false;
};
// The entries of a folder in the system's order, without "." and ".."; empty when it cannot be read.
std::vector<Entry> List(const std::string& folder);

}  // namespace native

// The drive form of a native path (made absolute first), or nothing when no drive holds it.
std::optional<Text> DriveFormOf(const FileSystem& files, const std::string& nativePath);

}  // namespace tq
