// The native file system under FileSystem: one implementation per operating system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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
// Whether names that differ only in case name different entries of a folder.
bool NamesTellCaseApart();
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
// Whether an entry of that name exists, a symbolic link counting as itself even when it leads nowhere.
bool EntryExists(const std::string& path);
// What a name stands for, as one look at the entry itself (a link is not followed; on Windows any
// reparse point, a link or a junction, is a link).
enum class EntryKind { kMissing, kFolder, kLink, kOther };
EntryKind KindOfEntry(const std::string& path);
bool IsFolder(const std::string& path);
bool IsFile(const std::string& path);
bool IsHidden(const std::string& path);
bool CreateFolder(const std::string& path);
bool RemoveFile(const std::string& path);
bool Rename(const std::string& from, const std::string& to);
// Renames a folder to a name that must not exist yet.
bool RenameFolder(const std::string& from, const std::string& to);
// Removes a file, or a folder with everything in it; false when something stays.
bool RemoveTree(const std::string& path);
std::optional<std::uintmax_t> Length(const std::string& path);

// What tells one state of a file from another without reading it: its length, its times and
// which file it is (a file put in place by a rename is another file, even of the same length).
struct FileStamp {
  std::uintmax_t length = 0;
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  std::int64_t modified = 0;  // in the system's own units
  std::int64_t changed = 0;   // the status change time where the system keeps one
  // Changed so lately that a later change could leave every field as it is (times are kept
  // only so finely, on some file systems to the second or two): such a stamp proves nothing.
  bool recent = false;
  bool operator==(const FileStamp&) const = default;
};
// Whether a change at `latest` is recent at `now`, both counted in units of which `perSecond`
// make a second. A time without a fraction of a second comes from a file system that keeps
// whole seconds (two on FAT), so a change counts as recent for longer there.
inline bool IsRecentChange(std::int64_t latest, std::int64_t now, std::int64_t perSecond) {
  std::int64_t settle = latest % perSecond == 0 ? 3 * perSecond : perSecond / 10;
  return now - latest < settle;
}
// The stamp of the entry at path (followed when it is a link); nothing when there is none.
std::optional<FileStamp> StampOf(const std::string& path);
// The bytes of a file, its first max bytes at the most; nothing for a folder or anything else
// that is not a file.
std::optional<std::string> Read(const std::string& path, std::size_t max = std::string::npos);

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
// A folder held open so that files are created in it by their names alone, which spares the
// system looking up the folder's path again for every file; kNoFile where the system creates
// files by path only (Windows), and CreateNewFileIn then joins the path.
FileNumber OpenFolder(const std::string& path);
// CreateNewFile of the name in the folder at folderPath, held open as folder.
FileNumber CreateNewFileIn(FileNumber folder, const std::string& folderPath, const std::string& name, bool& taken);
void CloseFolder(FileNumber folder);
// Opens a file whose every write goes to its end as the system finds it then, creating it
// when it is missing.
FileNumber OpenForAppend(const std::string& path);
bool WriteAll(FileNumber file, std::string_view bytes);
// The length of an open file, and cutting the file at path, open as file, back to a length.
std::optional<std::uintmax_t> LengthOf(FileNumber file);
bool Truncate(FileNumber file, const std::string& path, std::uintmax_t length);
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
// The first bytes of an open file, at most max of them, and putting bytes in place of all it holds.
std::string ReadStart(FileNumber file, std::size_t max);
bool Overwrite(FileNumber file, std::string_view bytes);

unsigned long ProcessId();
// Whether the process of that id on this machine has ended (false when that cannot be told).
bool ProcessIsGone(unsigned long id);
// This machine's name as other machines that share a folder see it.
std::string HostName();

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
