// Drive paths over POSIX folders: drives from the environment, names that differ in case, dot names.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/boring_files.h"
#include "platform/file_system.h"
#include "platform/native_files.h"
#include "platform/output_file.h"
#include "platform/qpro.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::TempDrive;

TEST(FileSystem, DrivesComeFromTheEnvironmentWithZAsRoot) {
  ::setenv("TECRIS2QUILLO_DRIVES", "c=/srv/borings;D=/mnt/usb/;bad;1=/x", 1);
  FileSystem fs = FileSystem::FromEnvironment();
  ::unsetenv("TECRIS2QUILLO_DRIVES");
  EXPECT_EQ(fs.Drives(), (std::vector<char32_t>{U'C', U'D', U'Z'}));
  EXPECT_EQ(fs.NativePath(U"C:\\a\\b.txt"), "/srv/borings/a/b.txt");
  EXPECT_EQ(fs.NativePath(U"D:\\"), "/mnt/usb");
  EXPECT_EQ(fs.NativePath(U"Z:\\etc"), "/etc");
  EXPECT_EQ(fs.NativePath(U"Q:\\x"), std::nullopt);
}

TEST(FileSystem, FindsNamesWithoutRegardToCaseWhenTheExactOneIsMissing) {
  TempDrive drive;
  drive.Write("Pat/l4.txt", "x");
  drive.Write("Pat/L2.txt", "exact");
  drive.Write("Pat/l2.txt", "other");
  FileSystem& fs = drive.Files();
  EXPECT_TRUE(fs.IsPlainFile(U"T:\\PAT\\L4.TXT"));
  EXPECT_EQ(fs.ReadFile(U"T:\\pat\\L2.txt"), "exact");
  EXPECT_EQ(fs.ReadFile(U"T:\\Pat\\l2.txt"), "other");
}

// Within a run each folder is listed at most once, so what the run itself creates or renames
// into place must join that listing, or a later path in another case would name a second entry.
TEST(FileSystem, WithinARunTheRunsOwnEntriesAreFoundWithoutRegardToCase) {
  TempDrive drive;
  drive.Write("Pat/l4.txt", "x");
  drive.MakeFolder("dest");
  FileSystem& fs = drive.Files();
  ScopedFolderCache run(fs);
  EXPECT_TRUE(fs.IsPlainFile(U"T:\\PAT\\L4.TXT")) << "found through the listing of T:\\ and of Pat";
  EXPECT_FALSE(fs.IsFolder(U"T:\\OUT")) << "T:\\ is listed now";
  EXPECT_EQ(fs.NativePath(U"T:\\OUT\\x.txt"), (drive.Root() / "OUT/x.txt").string()) << "missing: as written";
  ASSERT_TRUE(fs.CreateFolder(U"T:\\Out"));
  EXPECT_EQ(fs.NativePath(U"T:\\OUT\\x.txt"), (drive.Root() / "Out/x.txt").string());
  EXPECT_EQ(fs.NativePath(U"T:\\PAT\\L4.TXT"), (drive.Root() / "Pat/l4.txt").string()) << "found: kept";

  EXPECT_FALSE(fs.IsFolder(U"T:\\dest\\AB001")) << "dest is listed now";
  BoringFiles boring(fs, U"T:\\dest\\ab001", BoringFiles::Mode::kWholeBoring);
  boring.Commit(U"X1.txt", "1");
  boring.CommitAll();
  EXPECT_EQ(fs.NativePath(U"T:\\dest\\AB001\\X1.TXT"), (drive.Root() / "dest/ab001/X1.txt").string());

  ReplaceFileContents(fs, U"T:\\Pat\\New.txt", "n");
  EXPECT_EQ(fs.ReadFile(U"T:\\PAT\\NEW.TXT"), "n");
}

// Only a run keeps what it learned of the folders: between runs others may rename anything.
TEST(FileSystem, OutsideARunEveryPathIsLookedUpAnew) {
  TempDrive drive;
  drive.Write("Pat/a.txt", "x");
  FileSystem& fs = drive.Files();
  {
    ScopedFolderCache run(fs);
    EXPECT_TRUE(fs.IsPlainFile(U"T:\\pat\\a.txt"));
  }
  std::filesystem::rename(drive.Native("Pat"), drive.Native("PAT2"));
  drive.Write("pat/b.txt", "y");
  EXPECT_FALSE(fs.IsPlainFile(U"T:\\pat\\a.txt"));
  EXPECT_EQ(fs.ReadFile(U"T:\\PAT2\\A.TXT"), "x");
  EXPECT_EQ(fs.ReadFile(U"T:\\Pat\\b.txt"), "y");
}

TEST(FileSystem, HiddenFilesAreNoPlainFilesAndListsAreInNameOrder) {
  TempDrive drive;
  drive.Write("d/b.001", "");
  drive.Write("d/a.001", "");
  drive.Write("d/.hidden", "");
  drive.Write("d/c.txt", "");
  drive.MakeFolder("d/sub.001");
  drive.Write("d/x\\y.001", "");  // a native name that no path of the program can name
  FileSystem& fs = drive.Files();
  EXPECT_FALSE(fs.IsPlainFile(U"T:\\d\\.hidden"));
  EXPECT_TRUE(fs.Exists(U"T:\\d\\.hidden"));
  EXPECT_FALSE(fs.IsPlainFile(U"T:\\d\\sub.001"));
  EXPECT_EQ(fs.ListPlainFiles(U"T:\\d\\*.*"), (std::vector<Text>{U"a.001", U"b.001", U"c.txt"}));
  EXPECT_EQ(fs.ListPlainFiles(U"T:\\d\\*.0?1"), (std::vector<Text>{U"a.001", U"b.001"}));
  EXPECT_EQ(FCount(fs, U"T:\\d\\*.*"), 3);
}

TEST(FileSystem, DrivePathPicksTheDriveWhoseRootHoldsThePath) {
  FileSystem fs({{U'C', "/srv/borings"}, {U'Z', "/"}});
  EXPECT_EQ(fs.DrivePath("/srv/borings/site 1"), U"C:\\site 1");
  EXPECT_EQ(fs.DrivePath("/srv/borings"), U"C:\\");
  EXPECT_EQ(fs.DrivePath("/srv/boringsX/a"), U"Z:\\srv\\boringsX\\a");
  EXPECT_EQ(fs.DrivePath("/"), U"Z:\\");
}

TEST(SupportFunctions, SysDirNamesTheConfigurationFolder) {
  const FileSystem fs({{U'Z', "/"}});
  ::setenv("TECRIS2QUILLO_SYSDIR", "/etc/tecris", 1);
  EXPECT_EQ(SysDir(fs), U"Z:\\etc\\tecris");
  ::unsetenv("TECRIS2QUILLO_SYSDIR");
  ::setenv("XDG_CONFIG_HOME", "/home/u/.cfg", 1);
  EXPECT_EQ(SysDir(fs), U"Z:\\home\\u\\.cfg\\tecris2quillo");
  ::unsetenv("XDG_CONFIG_HOME");
}

TEST(ListFolders, NamesVisibleSubfoldersInNameOrderAndNoFiles) {
  TempDrive drive;
  drive.MakeFolder("data/b");
  drive.MakeFolder("data/A");
  drive.MakeFolder("data/" + std::string("現場"));
  drive.MakeFolder("data/.cache");
  drive.MakeFolder("data/b/inner");
  drive.MakeFolder("data/b\\inner");  // would open data/b/inner when listed
  drive.Write("data/12345678.001", "x");

  EXPECT_EQ(drive.Files().ListFolders(U"T:\\data"), (std::vector<Text>{U"A", U"b", U"現場"}));
  EXPECT_EQ(drive.Files().ListFolders(U"T:\\DATA\\"), (std::vector<Text>{U"A", U"b", U"現場"}));
}

// A boring folder filled under a temporary name must never take the place of anything that
// appeared under its final name meanwhile, not even an empty folder.
// The process number goes into temporary names and the lock's holder; a forked child that kept
// its parent's would take the parent's temporaries for its own.
TEST(NativeFiles, AForkedChildHasItsOwnProcessNumber) {
  EXPECT_EQ(native::ProcessId(), static_cast<unsigned long>(::getpid()));
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ::_exit(native::ProcessId() == static_cast<unsigned long>(::getpid()) ? 0 : 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(NativeFiles, AFolderIsRenamedOnlyOntoAMissingNameAndEntriesAreTakenAsThemselves) {
  struct Case {
    const char* what;
    void (*make)(const TempDrive&);
    native::EntryKind kind;
  };
  const Case cases[] = {
      {"nothing", [](const TempDrive&) {}, native::EntryKind::kMissing},
      {"an empty folder", [](const TempDrive& d) { d.MakeFolder("target"); }, native::EntryKind::kFolder},
      {"a file", [](const TempDrive& d) { d.Write("target", "x"); }, native::EntryKind::kOther},
      {"a link to a folder",
       [](const TempDrive& d) {
         d.MakeFolder("elsewhere");
         std::filesystem::create_directory_symlink(d.Root() / "elsewhere", d.Root() / "target");
       },
       native::EntryKind::kLink},
  };
  for (const Case& c : cases) {
    TempDrive drive;
    drive.MakeFolder("building");
    drive.Write("building/X1.txt", "1");
    c.make(drive);
    std::string target = (drive.Root() / "target").string();
    EXPECT_EQ(native::KindOfEntry(target), c.kind) << c.what;
    bool missing = c.kind == native::EntryKind::kMissing;
    EXPECT_EQ(native::RenameFolder((drive.Root() / "building").string(), target), missing) << c.what;
    EXPECT_EQ(std::filesystem::exists(drive.Root() / "building"), !missing) << c.what;
  }
}

}  // namespace
}  // namespace tq
