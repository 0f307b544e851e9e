// Windows lock files through LockFileEx.
#include "platform/native_files.h"
#include "platform/win32.h"

namespace tq::native {
namespace {

// The lock covers one byte far beyond the end of the file, not its content, so that what a
// holder writes into the lock file stays readable to the converters that wait for it.
OVERLAPPED LockedRegion() {
  OVERLAPPED region{};
  region.OffsetHigh = 0x7FFFFFFF;
  return region;
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

FileNumber OpenLockFile(const std::string& path) {
  std::wstring wide = win32::Wide(path);
  HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    file = ::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  return win32::NumberOf(file);
}

LockTry TryLockFile(FileNumber file) {
  OVERLAPPED region = LockedRegion();
  if (::LockFileEx(win32::HandleOf(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &region)) {
    return LockTry::kTaken;
  }
  return ::GetLastError() == ERROR_LOCK_VIOLATION ? LockTry::kBusy : LockTry::kFailed;
}

void UnlockFile(FileNumber file) {
  OVERLAPPED region = LockedRegion();
  ::UnlockFileEx(win32::HandleOf(file), 0, 1, 0, &region);
}

std::string ReadStart(FileNumber file, std::size_t max) {
  std::string bytes(max, '\0');
  OVERLAPPED start{};
  DWORD n = 0;
  if (!::ReadFile(win32::HandleOf(file), bytes.data(), static_cast<DWORD>(max), &n, &start)) n = 0;
  bytes.resize(n);
  return bytes;
}

bool Overwrite(FileNumber file, std::string_view bytes) {
  HANDLE handle = win32::HandleOf(file);
  LARGE_INTEGER start{};
  OVERLAPPED at{};
  DWORD n = 0;
  return ::SetFilePointerEx(handle, start, nullptr, FILE_BEGIN) && ::SetEndOfFile(handle) &&
         ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &n, &at) && n == bytes.size();
}

}  // namespace tq::native
