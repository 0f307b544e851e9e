// The Windows files under whole-or-nothing outputs: exclusive creation, whole writes, flushes.
#include <algorithm>

#include "platform/native_files.h"
#include "platform/win32.h"

namespace tq::native {

FileNumber CreateNewFile(const std::string& path, bool& taken) {
  HANDLE file =
      ::CreateFileW(win32::Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  taken = file == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_EXISTS;
  return win32::NumberOf(file);
}

FileNumber OpenFolder(const std::string&) { return kNoFile; }

FileNumber CreateNewFileIn(FileNumber, const std::string& folderPath, const std::string& name, bool& taken) {
  return CreateNewFile(Join(folderPath, name), taken);
}

void CloseFolder(FileNumber) {}

bool WriteAll(FileNumber file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD n = 0;
    if (!::WriteFile(win32::HandleOf(file), bytes.data(), chunk, &n, nullptr) || n == 0) return false;
    bytes.remove_prefix(n);
  }
  return true;
}

bool SyncFile(FileNumber file) { return ::FlushFileBuffers(win32::HandleOf(file)) != 0; }

bool CloseFile(FileNumber file) { return ::CloseHandle(win32::HandleOf(file)) != 0; }

}  // namespace tq::native
