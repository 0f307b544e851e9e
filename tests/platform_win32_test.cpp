// The Windows side of the platform layer: drives, current folders, wide names, replace, lock, code page.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "common/errors.h"
#include "platform/boring_files.h"
#include "platform/file_lock.h"
#include "platform/file_system.h"
#include "platform/output_file.h"
#include "platform/qpro.h"
#include "platform/temporary_names.h"
#include "platform/win32.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::NativeString;
using test::T;
using test::TempDrive;

std::vector<char32_t> LogicalDrives() {
  std::vector<char32_t> letters;
  DWORD mask = ::GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if ((mask & (1u << i)) != 0) letters.push_back(U'A' + i);
  }
  return letters;
}

// Sets an environment variable for the life of the object and puts the old value back.
class ScopedVariable {
 public:
  ScopedVariable(const std::wstring& name, const std::wstring& value) : name_(name) {
    wchar_t old[32768];
    DWORD n = ::GetEnvironmentVariableW(name.c_str(), old, 32768);
    if (n > 0) old_ = std::wstring(old, n);
    ::SetEnvironmentVariableW(name.c_str(), value.c_str());
  }
  ~ScopedVariable() { ::SetEnvironmentVariableW(name_.c_str(), old_ ? old_->c_str() : nullptr); }

 private:
  std::wstring name_;
  std::optional<std::wstring> old_;
};

// Makes a folder the process's working folder for the life of the object.
class ScopedWorkingFolder {
 public:
  explicit ScopedWorkingFolder(const std::wstring& folder) : old_(std::filesystem::current_path()) {
    ::SetCurrentDirectoryW(folder.c_str());
  }
  ~ScopedWorkingFolder() { std::filesystem::current_path(old_); }

 private:
  std::filesystem::path old_;
};

TEST(Win32Drives, AreTheMachinesLogicalDrives) {
  FileSystem fs = FileSystem::FromEnvironment();
  EXPECT_EQ(fs.Drives(), LogicalDrives());
  EXPECT_EQ(fs.NativePath(U"c:\\Data\\x.txt"), "C:\\Data\\x.txt");
  EXPECT_EQ(fs.DrivePath("C:\\Data"), U"C:\\Data");
  EXPECT_EQ(fs.NativePath(U"\\\\server\\share\\x"), "\\\\server\\share\\x") << "a network path is taken as written";
  EXPECT_EQ(fs.DrivePath("\\\\server\\share\\x"), std::nullopt);
}

// The current folder of a drive that is not the current one comes from "=X:", as the classic
// runtime and cmd.exe keep it; the working folder gives the current drive and its folder.
TEST(Win32Drives, EachDriveStartsAtTheCurrentFolderTheProcessKeepsForIt) {
  TempDrive drive;
  drive.MakeFolder("現場/sub");
  const std::string folder = NativeString(drive.Native("現場"));
  const char32_t folderDrive = static_cast<char32_t>(std::toupper(folder[0]));
  std::optional<char32_t> other;
  for (char32_t letter : LogicalDrives()) {
    std::wstring root = std::wstring(1, static_cast<wchar_t>(letter)) + L":\\";
    if (letter != folderDrive && ::GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES) other = letter;
  }
  if (!other) GTEST_SKIP() << "one drive only";
  ScopedWorkingFolder working(std::wstring(1, static_cast<wchar_t>(*other)) + L":\\");
  ScopedVariable kept(L"=" + std::wstring(1, static_cast<wchar_t>(folderDrive)) + L":", win32::Wide(folder));

  FileSystem fs = FileSystem::FromEnvironment();
  EXPECT_EQ(fs.CurrentDrive(), *other);
  EXPECT_EQ(fs.CurrentFolder(*other), Text(1, *other) + U":\\");
  EXPECT_EQ(fs.CurrentFolder(folderDrive), FromUtf8(folder));
  const Text driveRelative = Text(1, folderDrive) + U":sub";
  EXPECT_TRUE(fs.IsFolder(driveRelative));
  EXPECT_EQ(fs.NativePath(driveRelative), NativeString(drive.Native("現場/sub")));
}

TEST(Win32Names, AreFoundWithoutRegardToCase) {
  TempDrive drive;
  drive.Write("Pat/l4.txt", "x");
  FileSystem& fs = drive.Files();
  EXPECT_TRUE(fs.IsPlainFile(U"T:\\PAT\\L4.TXT"));
  EXPECT_EQ(fs.ReadFile(U"T:\\pat\\L4.Txt"), "x");
  EXPECT_EQ(fs.ListPlainFiles(U"T:\\PAT\\L4.*"), std::vector<Text>{U"l4.txt"});
  std::string upper = NativeString(drive.Native("pat"));
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(fs.DrivePath(upper), U"T:\\PAT") << "a drive's root is found in any case";
}

// Every name goes through the wide functions: names outside the ANSI code page arrive whole.
TEST(Win32Names, JapaneseFoldersAndFilesWorkThroughEveryOperation) {
  TempDrive drive;
  drive.Write("データ/現場A/12345678.001", "abc");
  FileSystem& fs = drive.Files();
  EXPECT_TRUE(fs.IsFolder(T("T:\\データ\\現場A")));
  EXPECT_TRUE(fs.IsPlainFile(T("T:\\データ\\現場A\\12345678.001")));
  EXPECT_EQ(fs.FileLength(T("T:\\データ\\現場A\\12345678.001")), 3u);
  EXPECT_EQ(fs.ReadFile(T("T:\\データ\\現場A\\12345678.001")), "abc");
  EXPECT_EQ(fs.ListFolders(U"T:\\"), std::vector<Text>{T("データ")});
  EXPECT_EQ(fs.ListPlainFiles(T("T:\\データ\\現場A\\*.*")), std::vector<Text>{U"12345678.001"});
  ASSERT_TRUE(fs.CreateFolder(T("T:\\データ\\出力")));
  ReplaceFileContents(fs, T("T:\\データ\\出力\\表.txt"), "new");
  EXPECT_TRUE(fs.RenameFile(T("T:\\データ\\出力\\表.txt"), T("T:\\データ\\出力\\裏.txt")));
  EXPECT_EQ(drive.Read("データ/出力/裏.txt"), "new");
  EXPECT_TRUE(fs.DeleteFile(T("T:\\データ\\出力\\裏.txt")));
  EXPECT_FALSE(drive.Exists("データ/出力/裏.txt"));
  ASSERT_TRUE(fs.SetCurrentFolder(T("T:\\データ")));
  EXPECT_EQ(fs.CurrentFolder(U'T'), T("T:\\データ"));
}

TEST(Win32Names, HiddenAreTheEntriesWithTheHiddenAttribute) {
  TempDrive drive;
  drive.Write("d/a.001", "");
  drive.Write("d/b.001", "");
  drive.MakeFolder("d/folder");
  drive.MakeFolder("d/secret");
  ASSERT_TRUE(::SetFileAttributesW(drive.Native("d/b.001").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(::SetFileAttributesW(drive.Native("d/secret").c_str(), FILE_ATTRIBUTE_HIDDEN));
  FileSystem& fs = drive.Files();
  EXPECT_FALSE(fs.IsPlainFile(U"T:\\d\\b.001"));
  EXPECT_TRUE(fs.Exists(U"T:\\d\\b.001"));
  EXPECT_EQ(fs.ListPlainFiles(U"T:\\d\\*.*"), std::vector<Text>{U"a.001"});
  EXPECT_EQ(fs.ListFolders(U"T:\\d"), std::vector<Text>{U"folder"});
}

// A target that another program holds open without sharing its deletion (an editor, a
// virus scanner) cannot be replaced: the write fails whole and the old file stays.
TEST(Win32Output, ATargetHeldOpenIsAnErrorAndStaysWhole) {
  TempDrive drive;
  drive.Write("X5.txt", "old");
  win32::Handle held(::CreateFileW(drive.Native("X5.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held.IsOpen());
  EXPECT_THROW(ReplaceFileContents(drive.Files(), U"T:\\X5.txt", "new", true), ConversionError);
  held.Close();
  EXPECT_EQ(drive.Read("X5.txt"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drive.Root()), {}), 1);
}

TEST(Win32Lock, TwoLocksExcludeEachOtherWithinTheWait) {
  TempDrive drive;
  const Text path = U"T:\\KISHITU.LCK";
  FileLock first;
  ASSERT_EQ(first.Lock(drive.Files(), path, std::chrono::milliseconds(0)), FileLock::Result::kLocked);
  EXPECT_TRUE(drive.Exists("KISHITU.LCK"));

  FileLock second;
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(second.Lock(drive.Files(), path, std::chrono::milliseconds(200)), FileLock::Result::kTimedOut);
  auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(200));

  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    first.Unlock();
  });
  EXPECT_EQ(second.Lock(drive.Files(), path, std::chrono::seconds(10)), FileLock::Result::kLocked)
      << "the waiting lock is taken once the holder lets go";
  release.join();
}

// Another program that locks the file the way this one does is excluded too, and the lock
// file's content (the holder's host and process) stays readable while the lock is held.
TEST(Win32Lock, ExcludesAnyHandleAndLeavesTheContentReadable) {
  TempDrive drive;
  drive.Write("KISHITU.LCK", "holder");
  FileLock lock;
  ASSERT_EQ(lock.Lock(drive.Files(), U"T:\\KISHITU.LCK", std::chrono::milliseconds(0)), FileLock::Result::kLocked);
  win32::Handle other(::CreateFileW(drive.Native("KISHITU.LCK").c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(other.IsOpen());
  OVERLAPPED region{};
  region.OffsetHigh = 0x7FFFFFFF;
  EXPECT_FALSE(::LockFileEx(other.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &region));
  EXPECT_EQ(drive.Files().ReadFile(U"T:\\KISHITU.LCK"),
            HostName() + " " + std::to_string(::GetCurrentProcessId()) + "\r\n");
}

TEST(Win32Lock, AFolderThatCannotHoldTheLockFileIsNoTimeout) {
  TempDrive drive;
  FileLock lock;
  EXPECT_EQ(lock.Lock(drive.Files(), U"T:\\missing\\KISHITU.LCK", std::chrono::milliseconds(0)),
            FileLock::Result::kCannotOpen);
}

// The tables agree with the system's own converter for every byte pair it knows.
TEST(Win32CodePage932, DecodesEveryPairAsTheSystemDoes) {
  int checked = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      wchar_t wide[2] = {};
      if (::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, 2, wide, 2) != 1) continue;
      ASSERT_EQ(FromShiftJis(std::string(bytes, 2)), Text(1, static_cast<char32_t>(wide[0])))
          << std::hex << lead << " " << trail;
      ++checked;
    }
  }
  EXPECT_GT(checked, 7000);
}

TEST(Win32CodePage932, KeepsTheMicrosoftMappingAndInvalidBytes) {
  EXPECT_EQ(FromShiftJis("\x81\x60"), U"\uFF5E");  // wave dash as Windows reads it
  EXPECT_EQ(ToShiftJis(U"\uFF5E"), "\x81\x60");
  EXPECT_EQ(ToShiftJis(U"\u2170"), "\xFA\x40");  // small roman one: the IBM form, not NEC-selected 0xEEEF
  EXPECT_EQ(ToShiftJis(U"\u2252"), "\x81\xE0");  // nearly equal: row 2, not NEC row 13
  EXPECT_EQ(ToShiftJis(U"\uFFE2"), "\x81\xCA");  // not sign
  const std::string invalid = std::string("a\x80\xA0\xFD\xFE\xFF\x81\x20\x85\x40", 10) + "\x81";
  EXPECT_EQ(ToShiftJis(FromShiftJis(invalid)), invalid);
}

TEST(Win32Folders, SysDirIsInAppDataAndTheProgramFolderHoldsTheExecutable) {
  TempDrive drive;
  drive.MakeFolder("ユーザー/AppData");
  const FileSystem& fs = drive.Files();
  ScopedVariable appData(L"APPDATA", drive.Native("ユーザー/AppData").wstring());
  ScopedVariable unset(L"TECRIS2QUILLO_SYSDIR", L"");
  EXPECT_EQ(SysDir(fs), T("T:\\ユーザー\\AppData\\tecris2quillo"));
  {
    ScopedVariable sysDir(L"TECRIS2QUILLO_SYSDIR", drive.Native("ユーザー").wstring());
    EXPECT_EQ(SysDir(fs), T("T:\\ユーザー"));
  }
  ScopedVariable programFolder(L"TECRIS2QUILLO_PROGRAM_FOLDER", L"");
  wchar_t exe[MAX_PATH];
  DWORD n = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::filesystem::path folder = std::filesystem::path(std::wstring(exe, n)).parent_path();
  FileSystem machine = FileSystem::FromEnvironment();
  EXPECT_EQ(machine.NativePath(ProgramFolder(machine)), NativeString(folder));
}

}  // namespace
}  // namespace tq
