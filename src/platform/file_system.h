// The file system as the converter sees it: Windows paths with drive letters over the native one.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/own_mutex.h"
#include "common/text.h"
#include "platform/folder_cache.h"

namespace tq {

// The operations that change files, as a fault hook sees them.
enum class FileOperation { kOpen, kWrite, kSync, kRename, kCreateFolder };

// What a fault hook makes of an operation: nothing, a failure, or (for a write) a short write
// that puts the first half of the bytes on the disk and then fails, as a disk that fills up does.
// A hook that answers true or false fails the operation or lets it be.
class Fault {
 public:
  enum Kind { kNone, kError, kShortWrite };
  Fault(bool fails) : kind_(fails ? kError : kNone) {}
  Fault(Kind kind) : kind_(kind) {}
  Kind GetKind() const { return kind_; }

 private:
  Kind kind_;
};

// Decides whether an operation fails as it would on a full disk or a lost share. nativePath is
// the file the operation is for; for the temporary file through which an output is written, the
// output file itself; for a folder sync, the folder. A hook that counts its calls can fail the
// Nth one.
using FaultHook = std::function<Fault(FileOperation operation, const std::string& nativePath)>;

// Paths are Windows paths: a drive letter and a colon, folder names separated by backslashes
// (slashes are taken as separators too). A path without a drive is taken on the current drive,
// one that does not begin with a backslash below that drive's current folder. A path that
// begins with "/" is a native absolute path. Every drive maps to a native folder (its root).
//
// On Windows the native paths are the machine's own (UTF-8 in these strings) and a path that
// begins with two backslashes is a native network path.
//
// Names are looked up as written and, when no such name exists, without regard to case, so
// files copied from Windows (l4.txt for L4.TXT) are found; Windows itself ignores case.
// Hidden are names beginning with "." on POSIX, entries with the hidden or system attribute
// on Windows.
class FileSystem {
 public:
  // POSIX: drives from TECRIS2QUILLO_DRIVES ("C=/srv/borings;D=/mnt/usb"); Z: is "/" unless
  // redefined. Windows: the machine's drives, each with the current folder the process keeps
  // for it. The current drive and folder follow the process's working folder.
  static FileSystem FromEnvironment();
  // Drives mapped to native folders, each one's current folder at its root.
  explicit FileSystem(std::map<char32_t, std::string> driveRoots);

  std::vector<char32_t> Drives() const;
  char32_t CurrentDrive() const { return currentDrive_; }
  // Fails when there is no such drive or its root cannot be opened.
  bool SetCurrentDrive(char32_t letter);
  // The current folder of a drive, as "Z:\a\b" (a drive root as "Z:\").
  Text CurrentFolder(char32_t letter) const;
  // Makes an existing folder the current folder of its drive (the current drive stays).
  bool SetCurrentFolder(const Text& path);

  // The native path a Windows path names, or nothing when its drive does not exist.
  std::optional<std::string> NativePath(const Text& path) const;
  // The Windows form of a native absolute path, on the drive whose root holds it.
  std::optional<Text> DrivePath(const std::string& nativePath) const;

  bool Exists(const Text& path) const;  // a file or a folder
  bool IsFolder(const Text& path) const;
  bool IsPlainFile(const Text& path) const;   // a file that is not hidden
  bool CreateFolder(const Text& path) const;  // one level
  bool DeleteFile(const Text& path) const;
  bool RenameFile(const Text& from, const Text& to) const;
  std::optional<std::uintmax_t> FileLength(const Text& path) const;
  std::optional<std::string> ReadFile(const Text& path) const;
  // The bytes of a plain file (its first max bytes at the most); nothing when path names no
  // plain file, and nothing with unreadable set when it names one that cannot be read.
  std::optional<std::string> ReadPlainFile(const Text& path, bool& unreadable,
                                           std::size_t max = std::string::npos) const;

  // Every later operation that changes files asks the hook first; without one nothing fails.
  void SetFaultHook(FaultHook hook) { faultHook_ = std::move(hook); }
  bool Fails(FileOperation operation, const std::string& nativePath) const {
    return FaultOf(operation, nativePath) != Fault::kNone;
  }
  // The hook is asked by one thread at a time, so a hook that counts needs no lock of its own.
  Fault::Kind FaultOf(FileOperation operation, const std::string& nativePath) const {
    if (!faultHook_) return Fault::kNone;
    std::lock_guard guard(hookMutex_.Get());
    return faultHook_(operation, nativePath).GetKind();
  }
  // Writes all bytes to an open native file, retrying partial writes; false on any failure.
  // nativePath is what the fault hook is asked about.
  bool WriteAll(int fd, std::string_view bytes, const std::string& nativePath) const;

  // An entry the run created or renamed into place outside these functions (see FolderCache).
  void NoteCreated(const std::string& nativePath) const { cache_.NoteCreated(nativePath); }

  // Names of the plain files that match a pattern such as "Z:\data\*.*", in name order.
  std::vector<Text> ListPlainFiles(const Text& pattern) const;
  // Names of the folders in a folder, hidden ones left out, in name order.
  std::vector<Text> ListFolders(const Text& path) const;

 private:
  struct Location {
    char32_t drive;
    std::vector<Text> folders;
  };
  std::optional<Location> Locate(const Text& path) const;
  // settled: whether every name of the path has settled for the run (see FolderCache).
  std::optional<std::string> RunNativePath(const Text& path, bool& settled) const;
  // settled, when given, tells whether every name resolved is settled for the run (see FolderCache).
  std::string NativeOf(const Location& location, bool* settled = nullptr) const;
  std::string ResolveName(const std::string& folder, const Text& name, bool* settled) const;
  // Makes a native folder the current folder of the drive that holds it; that drive.
  std::optional<char32_t> FollowNativeFolder(const std::string& nativeFolder);

  std::map<char32_t, std::string> roots_;
  std::map<char32_t, std::vector<Text>> currentFolders_;
  char32_t currentDrive_ = U'Z';
  FaultHook faultHook_;
  OwnMutex hookMutex_;
  mutable FolderCache cache_;

  friend class ScopedFolderCache;
};

// Keeps what the file system learns of its folders from construction to destruction: the span
// of one run, in which the run's paths are found once each rather than once per use.
class ScopedFolderCache {
 public:
  explicit ScopedFolderCache(const FileSystem& files) : files_(files) { files_.cache_.Begin(); }
  ~ScopedFolderCache() { files_.cache_.End(); }
  ScopedFolderCache(const ScopedFolderCache&) = delete;
  ScopedFolderCache& operator=(const ScopedFolderCache&) = delete;

 private:
  const FileSystem& files_;
};

// The folder of the running program, in Windows form: the native folder in
// TECRIS2QUILLO_PROGRAM_FOLDER when that is set, otherwise the executable's folder; on the drive
// of the file system that holds it.
Text ProgramFolder(const FileSystem& files);

}  // namespace tq
