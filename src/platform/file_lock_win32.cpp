// Exclusive lock files on Windows through LockFileEx.
#include "platform/win32.h"

#include <optional>
#include <string>

#include "platform/file_lock.h"
#include "platform/file_system.h"
#include "platform/lock_wait.h"

namespace tq {
namespace {

// The lock covers one byte far beyond the end of the file, not its content, so that what a
// holder writes into the lock file stays readable to the converters that wait for it.
OVERLAPPED LockedRegion() {
  OVERLAPPED region{};
  region.OffsetHigh = 0x7FFFFFFF;
  return region;
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A read-only share still lets a lock be taken on a lock file that already exists.
HANDLE OpenLockFile(const std::string& native) {
  std::wstring path = win32::Wide(native);
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) return file;
  return ::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The lock belongs to the handle: a second handle on the same file, in this process or
// another, is refused until the first is closed or unlocked.
LockTry TryLock(HANDLE file) {
  OVERLAPPED region = LockedRegion();
  if (::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &region)) return LockTry::kTaken;
  return ::GetLastError() == ERROR_LOCK_VIOLATION ? LockTry::kBusy : LockTry::kFailed;
}

}  // namespace

FileLock::~FileLock() { Unlock(); }

// The handle is kept in the descriptor's place: Windows keeps handles within 32 bits so that
// 32-bit and 64-bit processes can share them.
FileLock::Result FileLock::Lock(const FileSystem& files, const Text& path, std::chrono::milliseconds wait) {
  Unlock();
  std::optional<std::string> native = files.NativePath(path);
  if (!native || files.Fails(FileOperation::kOpen, *native)) return Result::kCannotOpen;
  HANDLE file = OpenLockFile(*native);
  if (file == INVALID_HANDLE_VALUE) return Result::kCannotOpen;
  Result result = WaitForLock([file] { return TryLock(file); }, wait);
  if (result != Result::kLocked) {
    ::CloseHandle(file);
    return result;
  }
  fd_ = ::HandleToLong(file);
  return result;
}

void FileLock::Unlock() {
  if (fd_ < 0) return;
  HANDLE file = ::LongToHandle(fd_);
  OVERLAPPED region = LockedRegion();
  ::UnlockFileEx(file, 0, 1, 0, &region);
  ::CloseHandle(file);
  fd_ = -1;
}

}  // namespace tq
