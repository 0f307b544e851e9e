// Drive paths over the native file system, whole-or-nothing output files, support functions.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "common/errors.h"
#include "platform/boring_files.h"
#include "platform/file_system.h"
#include "platform/output_file.h"
#include "platform/qpro.h"
#include "platform/temporary_names.h"
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

TEST(FileSystem, ResolvesRelativeAndDriveRelativePaths) {
  TempDrive drive;
  drive.MakeFolder("data/sub");
  FileSystem& fs = drive.Files();
  ASSERT_TRUE(fs.SetCurrentFolder(U"T:\\data"));
  EXPECT_EQ(fs.CurrentFolder(U'T'), U"T:\\data");
  std::string root = drive.Root().string();
  EXPECT_EQ(fs.NativePath(U"sub"), root + "/data/sub");
  EXPECT_EQ(fs.NativePath(U"T:sub"), root + "/data/sub");
  EXPECT_EQ(fs.NativePath(U"\\data"), root + "/data");
  EXPECT_EQ(fs.NativePath(U"T:\\data\\sub\\..\\.\\sub/"), root + "/data/sub");
  EXPECT_FALSE(fs.SetCurrentFolder(U"T:\\missing"));
  EXPECT_EQ(fs.CurrentFolder(U'T'), U"T:\\data");
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

TEST(FileSystem, CurrentDriveNeedsAnOpenableRoot) {
  TempDrive drive;
  FileSystem fs({{U'T', drive.Root().string()}, {U'M', (drive.Root() / "no-medium").string()}});
  EXPECT_TRUE(fs.SetCurrentDrive(U't'));
  EXPECT_FALSE(fs.SetCurrentDrive(U'M'));
  EXPECT_FALSE(fs.SetCurrentDrive(U'Q'));
  EXPECT_EQ(fs.CurrentDrive(), U'T');
}

TEST(OutputFile, WritesCodePage932WithCrLf) {
  TempDrive drive;
  BoringFiles files = drive.Folder(U"T:");
  OutputFile out(files, U"x.txt");
  out.WriteLine(U"砂");
  out.WriteEmptyLine();
  out.WriteLine(U"a");
  EXPECT_FALSE(drive.Exists("x.txt")) << "nothing reaches the disk before the commit";
  out.Commit();
  EXPECT_EQ(drive.Read("x.txt"), "\x8D\xBB\r\n\r\na\r\n");
}

TEST(OutputFile, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  TempDrive drive;
  drive.Write("X5.txt", "old\r\n");
  drive.Files().SetFaultHook([](FileOperation, const std::string& path) { return path.ends_with("X5.txt"); });
  BoringFiles files = drive.Folder(U"T:");
  OutputFile out(files, U"X5.txt");
  out.WriteLine(U"new");
  EXPECT_THROW(out.Commit(), ConversionError);
  EXPECT_EQ(drive.Read("X5.txt"), "old\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drive.Root()), {}), 1);
}

// A run killed while writing leaves its temporary file; a later process with the same id
// must still write the file, and must not take the leftover for its own.
TEST(OutputFile, ALeftoverTemporaryOfTheSameProcessIdIsPassedOver) {
  TempDrive drive;
  const std::string leftover = TemporaryName("X5.txt");
  drive.Write(leftover, "half");
  drive.Write(TemporaryName("X5.txt", 1), "half");
  BoringFiles files = drive.Folder(U"T:");
  OutputFile out(files, U"X5.txt");
  out.WriteLine(U"new");
  out.Commit();
  EXPECT_EQ(drive.Read("X5.txt"), "new\r\n");
  EXPECT_EQ(drive.Read(leftover), "half");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drive.Root()), {}), 3);
}

TEST(OutputFile, ATargetThatCannotBeReplacedIsAnError) {
  TempDrive drive;
  drive.MakeFolder("X5.txt/inside");
  BoringFiles files = drive.Folder(U"T:");
  OutputFile out(files, U"X5.txt");
  EXPECT_THROW(out.Commit(), ConversionError);
  BoringFiles missing = drive.Folder(U"T:\\missing");
  OutputFile nowhere(missing, U"X5.txt");
  EXPECT_THROW(nowhere.Commit(), ConversionError);
}

// Each operation of a replacement, in the order it is made, may fail on its own: the old file
// stays whole and no temporary file is left behind.
TEST(OutputFile, EveryOperationOfAReplacementCanFailAlone) {
  TempDrive drive;
  std::vector<FileOperation> seen;
  drive.Files().SetFaultHook([&](FileOperation operation, const std::string& path) {
    EXPECT_TRUE(path.ends_with("/table.txt")) << path;
    seen.push_back(operation);
    return false;
  });
  ReplaceFileContents(drive.Files(), U"T:\\table.txt", "old", /*durable=*/true);
  const std::vector<FileOperation> operations{FileOperation::kOpen, FileOperation::kWrite, FileOperation::kSync,
                                              FileOperation::kRename};
  ASSERT_EQ(seen, operations);
  for (std::size_t n = 0; n < operations.size(); ++n) {
    SCOPED_TRACE(n);
    std::size_t calls = 0;
    drive.Files().SetFaultHook([&](FileOperation, const std::string&) { return calls++ == n; });
    EXPECT_THROW(ReplaceFileContents(drive.Files(), U"T:\\table.txt", "new", true), ConversionError);
    EXPECT_EQ(drive.Read("table.txt"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drive.Root()), {}), 1);
  }
}

// Every entry of a native folder and below, by relative path, with the bytes of each file.
std::map<std::string, std::string> Tree(const std::filesystem::path& root) {
  std::map<std::string, std::string> tree;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    std::string bytes;
    if (entry.is_regular_file()) bytes = (std::ostringstream() << std::ifstream(entry.path(), std::ios::binary).rdbuf()).str();
    tree[std::filesystem::relative(entry.path(), root).string()] = bytes;
  }
  return tree;
}

// Each operation of a boring's commit in turn fails, as an error or as a short write: the
// destination is left exactly as it was, temporaries included, until the commit gets through
// whole. Both for a boring folder that exists and for a new one.
TEST(CommitBoringFolder, AnyFailedOperationLeavesTheFolderAsItWas) {
  const std::vector<std::pair<Text, std::string>> outputs = {
      {U"titl01.txt", "new title\r\n"}, {U"X5.txt", "new X5\r\n"}, {U"X1.txt", "new X1\r\n"}};
  for (bool exists : {true, false}) {
    for (Fault::Kind kind : {Fault::kError, Fault::kShortWrite}) {
      SCOPED_TRACE(std::string(exists ? "existing folder" : "new folder") + (kind == Fault::kError ? ", error" : ", short write"));
      TempDrive drive;
      drive.MakeFolder("out");
      if (exists) {
        drive.Write("out/12345678001/titl01.txt", "old title\r\n");
        drive.Write("out/12345678001/X1.txt", "old X1\r\n");
      }
      const auto before = Tree(drive.Native("out"));
      for (int n = 1;; ++n) {
        SCOPED_TRACE(n);
        int calls = 0;
        drive.Files().SetFaultHook([&](FileOperation operation, const std::string&) {
          if (kind == Fault::kShortWrite && operation != FileOperation::kWrite) return Fault(Fault::kNone);
          return Fault(++calls == n ? kind : Fault::kNone);
        });
        std::optional<ConversionError> error =
            test::ConversionErrorOf([&] { CommitBoringFolder(drive.Files(), U"T:\\out\\12345678001", outputs); });
        if (calls < n) {
          ASSERT_FALSE(error) << test::U8(error->Cause());
          break;
        }
        ASSERT_TRUE(error) << "a failed operation must stop the commit";
        ASSERT_EQ(Tree(drive.Native("out")), before);
      }
      EXPECT_EQ(drive.Read("out/12345678001/X5.txt"), "new X5\r\n");
      EXPECT_EQ(drive.Read("out/12345678001/X1.txt"), "new X1\r\n");
      EXPECT_EQ(Tree(drive.Native("out")).size(), 4u) << "the folder and its three files, no temporary";
    }
  }
}

TEST(FileSystem, FolderCreationAndRenamesAskTheFaultHook) {
  TempDrive drive;
  drive.Write("a.txt", "a");
  drive.Files().SetFaultHook([](FileOperation operation, const std::string&) {
    return operation == FileOperation::kCreateFolder || operation == FileOperation::kRename;
  });
  EXPECT_FALSE(drive.Files().CreateFolder(U"T:\\new"));
  EXPECT_FALSE(drive.Files().RenameFile(U"T:\\a.txt", U"T:\\b.txt"));
  EXPECT_FALSE(drive.Exists("new"));
  EXPECT_TRUE(drive.Exists("a.txt"));
}

TEST(SupportFunctions, CountCharactersAndTrimBlanks) {
  EXPECT_EQ(InCount(U"C:\\a\\b\\", U"\\"), 3);
  // ソ is 0x83 0x5C in code page 932: its trail byte is no backslash.
  EXPECT_EQ(InCount(U"C:\\ソ\\", U"\\"), 2);
  EXPECT_EQ(QPRTrim(U"  abc \t "), U"  abc");
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

TEST(ListFolders, EmptyForMissingFoldersFilesAndDrives) {
  TempDrive drive;
  drive.Write("plain.txt", "x");
  const FileSystem& fs = drive.Files();
  EXPECT_TRUE(fs.ListFolders(U"T:\\missing").empty());
  EXPECT_TRUE(fs.ListFolders(U"T:\\plain.txt").empty());
  EXPECT_TRUE(fs.ListFolders(U"Q:\\").empty());
}

}  // namespace
}  // namespace tq
