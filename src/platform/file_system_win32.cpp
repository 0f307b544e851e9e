// The native file system on Windows: the machine's drives, wide names, attributes.
#include <algorithm>
#include <vector>

#include "platform/file_system.h"
#include "platform/native_files.h"
#include "platform/win32.h"

namespace tq {
namespace {

using win32::Utf8;
using win32::Wide;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Runs a function of the form (length, buffer) -> needed length that fills a wide buffer,
// growing the buffer until the result fits; nothing when the function fails.
template <typename Fill>
std::optional<std::string> WideResult(Fill fill) {
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  for (;;) {
    DWORD needed = fill(static_cast<DWORD>(buffer.size()), buffer.data());
    if (needed == 0) return std::nullopt;
    if (needed < buffer.size()) return Utf8(std::wstring_view(buffer.data(), needed));
    buffer.resize(std::max<std::size_t>(needed + 1, buffer.size() * 2));
  }
}

std::optional<std::string> FullPath(const std::string& path) {
  std::wstring wide = Wide(path);
  return WideResult([&](DWORD size, wchar_t* out) { return ::GetFullPathNameW(wide.c_str(), size, out, nullptr); });
}

std::optional<DWORD> Attributes(const std::string& path) {
  DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

bool HasAttribute(const std::string& path, DWORD attribute) {
  std::optional<DWORD> attributes = Attributes(path);
  return attributes && (*attributes & attribute) != 0;
}

constexpr DWORD kHiddenAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

// Every drive starts at the current folder the process keeps for it, which the classic
// runtime tracks per drive ("=D:" in the environment, as cmd.exe sets it) and
// GetFullPathNameW of the bare drive ("D:") reports.
FileSystem FileSystem::FromEnvironment() {
  std::map<char32_t, std::string> roots;
  DWORD drives = ::GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if ((drives & (1u << i)) != 0) roots[U'A' + i] = std::string(1, static_cast<char>('A' + i)) + ":\\";
  }
  FileSystem files(std::move(roots));
  for (const auto& [letter, root] : files.roots_) {
    if (letter == files.currentDrive_) continue;
    if (std::optional<std::string> folder = FullPath(root.substr(0, 2))) files.FollowNativeFolder(*folder);
  }
  return files;
}

namespace native {

bool IsNativeAbsolute(TextView path) {
  auto separator = [](char32_t c) { return c == U'\\' || c == U'/'; };
  return path.size() >= 2 && separator(path[0]) && separator(path[1]);
}

std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> names;
  std::size_t start = 0;
  // A network path keeps its server as one name, so that it is never taken for a folder.
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    names.push_back("\\\\");
    start = 2;
  }
  std::string name;
  for (std::size_t i = start; i <= path.size(); ++i) {
    if (i < path.size() && !IsSeparator(path[i])) {
      name += path[i];
      continue;
    }
    if (name == "..") {
      if (names.size() > 1) names.pop_back();
    } else if (!name.empty() && name != ".") {
      names.push_back(name);
    }
    name.clear();
  }
  return names;
}

bool NamesTellCaseApart() { return false; }

bool SameName(const std::string& a, const std::string& b) {
  std::wstring wideA = Wide(a);
  std::wstring wideB = Wide(b);
  return ::CompareStringOrdinal(wideA.c_str(), static_cast<int>(wideA.size()), wideB.c_str(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

std::string Join(const std::string& folder, const std::string& name) {
  if (!folder.empty() && IsSeparator(folder.back())) return folder + name;
  return folder + "\\" + name;
}

// The system finds names without regard to case itself.
std::string ResolveName(const std::string&, const Text& name) { return ToUtf8(name); }

std::optional<std::string> Absolute(const std::string& path) {
  std::optional<std::string> full = FullPath(path);
  if (!full) return std::nullopt;
  while (full->size() > 3 && IsSeparator(full->back())) full->pop_back();
  return full;
}

bool Exists(const std::string& path) { return Attributes(path).has_value(); }

// GetFileAttributesW does not follow a link: the link itself is the entry.
bool EntryExists(const std::string& path) { return Exists(path); }

EntryKind KindOfEntry(const std::string& path) {
  std::optional<DWORD> attributes = Attributes(path);
  if (!attributes) return EntryKind::kMissing;
  if ((*attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return EntryKind::kLink;
  return (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::kFolder : EntryKind::kOther;
}

bool IsFolder(const std::string& path) { return HasAttribute(path, FILE_ATTRIBUTE_DIRECTORY); }

bool IsFile(const std::string& path) {
  std::optional<DWORD> attributes = Attributes(path);
  return attributes && (*attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool IsHidden(const std::string& path) { return HasAttribute(path, kHiddenAttributes); }

bool CreateFolder(const std::string& path) { return ::CreateDirectoryW(Wide(path).c_str(), nullptr) != 0; }

bool RemoveFile(const std::string& path) { return ::DeleteFileW(Wide(path).c_str()) != 0; }

// Replaces an existing target, as a POSIX rename does, and is on the disk when it returns.
bool Rename(const std::string& from, const std::string& to) {
  return ::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// Without MOVEFILE_REPLACE_EXISTING, which folders do not take: a folder made meanwhile under
// the new name makes the rename fail.
bool RenameFolder(const std::string& from, const std::string& to) {
  return ::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

// A link or junction inside is removed as itself, never followed.
bool RemoveTree(const std::string& path) {
  std::optional<DWORD> attributes = Attributes(path);
  if (!attributes) return true;
  std::wstring wide = Wide(path);
  if ((*attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    ::SetFileAttributesW(wide.c_str(), *attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
  }
  if ((*attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return ::DeleteFileW(wide.c_str()) != 0;
  if ((*attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    for (const Entry& entry : List(path)) RemoveTree(Join(path, entry.name));
  }
  return ::RemoveDirectoryW(wide.c_str()) != 0;
}

std::optional<std::uintmax_t> Length(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::nullopt;
  return (static_cast<std::uintmax_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::optional<FileStamp> StampOf(const std::string& path) {
  win32::Handle file(::CreateFileW(Wide(path).c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file.IsOpen() || !::GetFileInformationByHandle(file.Get(), &info)) return std::nullopt;
  auto join = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
  FileStamp stamp;
  stamp.length = join(info.nFileSizeHigh, info.nFileSizeLow);
  stamp.volume = info.dwVolumeSerialNumber;
  stamp.file = join(info.nFileIndexHigh, info.nFileIndexLow);
  stamp.modified =
      static_cast<std::int64_t>(join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime));
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  constexpr std::int64_t kTicksPerSecond = 10000000;  // FILETIME counts 100 ns
  stamp.recent = IsRecentChange(stamp.modified, static_cast<std::int64_t>(join(now.dwHighDateTime, now.dwLowDateTime)),
                                kTicksPerSecond);
  return stamp;
}

std::optional<std::string> Read(const std::string& path, std::size_t max) {
  win32::Handle file(::CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  while (bytes.size() < max) {
    DWORD n = 0;
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, max - bytes.size()));
    if (!::ReadFile(file.Get(), buffer, want, &n, nullptr)) return std::nullopt;
    if (n == 0) break;
    bytes.append(buffer, n);
  }
  return bytes;
}

std::vector<Entry> List(const std::string& folder) {
  std::vector<Entry> entries;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileExW(Wide(Join(folder, "*")).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    Entry entry;
    entry.name = Utf8(found.cFileName);
    if (entry.name == "." || entry.name == "..") continue;
    entry.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isFile = (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
    entry.hidden = (found.dwFileAttributes & kHiddenAttributes) != 0;
    entries.push_back(std::move(entry));
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return entries;
}

std::optional<std::string> Environment(const char* name) {
  std::wstring wideName = Wide(name);
  std::optional<std::string> value =
      WideResult([&](DWORD size, wchar_t* out) { return ::GetEnvironmentVariableW(wideName.c_str(), out, size); });
  if (!value || value->empty()) return std::nullopt;
  return value;
}

std::optional<std::string> ExecutableFolder() {
  std::optional<std::string> exe = WideResult([](DWORD size, wchar_t* out) {
    DWORD n = ::GetModuleFileNameW(nullptr, out, size);
    return n < size ? n : size;  // a cut name reports the whole buffer: grow it
  });
  if (!exe) return std::nullopt;
  std::size_t separator = exe->find_last_of("\\/");
  if (separator == std::string::npos) return std::nullopt;
  return exe->substr(0, separator == 2 ? 3 : separator);
}

unsigned long ProcessId() { return ::GetCurrentProcessId(); }

bool ProcessIsGone(unsigned long id) {
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
  if (process == nullptr) return ::GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
  DWORD code = 0;
  bool ended = ::GetExitCodeProcess(process, &code) && code != STILL_ACTIVE;
  ::CloseHandle(process);
  return ended;
}

std::string HostName() {
  std::optional<std::string> name = WideResult([](DWORD size, wchar_t* out) {
    DWORD length = size;
    if (::GetComputerNameExW(ComputerNameDnsHostname, out, &length)) return length;
    return ::GetLastError() == ERROR_MORE_DATA ? length : DWORD{0};
  });
  return name && !name->empty() ? *name : "localhost";
}

std::string DefaultSysDir() {
  return Join(Environment("APPDATA").value_or(Absolute(".").value_or(".")), "tecris2quillo");
}

}  // namespace native
}  // namespace tq
