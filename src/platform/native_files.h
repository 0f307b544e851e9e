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

// Open native files of the writers and the lock, numbered as the system numbers them: a
// descriptor on POSIX, a handle on Windows (which keeps handles within 32 bits so that 32-bit
// and 64-bit processes can share them).
using FileNumber = int;
inline constexpr FileNumber kNoFile = -1;

// Creates a file that must not exist yet; taken is set when the name exists already.
FileNumber CreateNewFile(const std::string& path, bool& taken);
// Opens a file whose every write goes to its end as the system finds it then, creating it
// when it is missing.
FileNumber OpenForAppend(const std::string& path);
bool WriteAll(FileNumber file, const std::string& bytes);
bool SyncFile(FileNumber file);
// False when closing fails, which is where a write that the system kept back can fail.
bool CloseFile(FileNumber file);

enum class LockTry { kTaken, kBusy, kFailed };
// Opens a lock file, creating it when it is missing; a read-only share still lets a lock be
// taken on a lock file that already exists.
FileNumber OpenLockFile(const std::string& path);
// The lock belongs to the open file: another open file of the same path, in this process or
// another, is refused it until the holder lets go.
LockTry TryLockFile(FileNumber file);
void UnlockFile(FileNumber file);

unsigned long ProcessId();

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
