// Helpers of the Windows side of the platform layer: UTF-16 names and file handles.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// The Windows headers rename DeleteFile to DeleteFileW, which would also rename the member of
// FileSystem in the files that include both; this side calls the wide functions by name.
#undef DeleteFile

#include <string>
#include <string_view>

namespace tq::win32 {

// The UTF-16 form of a UTF-8 text (native paths are UTF-8 inside the program).
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// A handle as the platform layer numbers open files (-1 for none), and back.
inline int NumberOf(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? -1 : ::HandleToLong(handle); }
inline HANDLE HandleOf(int number) { return ::LongToHandle(number); }

// Closes a handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  // False when closing fails, which is where a write that the system kept back can fail.
  bool Close() {
    if (!IsOpen()) return true;
    bool closed = ::CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

}  // namespace tq::win32
