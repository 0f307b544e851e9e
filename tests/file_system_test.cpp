// Drive paths over the native file system, whole-or-nothing output files, support functions.
#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "common/errors.h"
#include "platform/boring_files.h"
#include "platform/native_files.h"
#include "platform/output_file.h"
#include "platform/qpro.h"
#include "platform/temporary_names.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::TempDrive;

TEST(FileSystem, ResolvesRelativeAndDriveRelativePaths) {
  TempDrive drive;
  drive.MakeFolder("data/sub");
  FileSystem& fs = drive.Files();
  ASSERT_TRUE(fs.SetCurrentFolder(U"T:\\data"));
  EXPECT_EQ(fs.CurrentFolder(U'T'), U"T:\\data");
  const std::string sub = test::NativeString(drive.Native("data/sub"));
  EXPECT_EQ(fs.NativePath(U"sub"), sub);
  EXPECT_EQ(fs.NativePath(U"T:sub"), sub);
  EXPECT_EQ(fs.NativePath(U"\\data"), test::NativeString(drive.Native("data")));
  EXPECT_EQ(fs.NativePath(U"T:\\data\\sub\\..\\.\\sub/"), sub);
  EXPECT_FALSE(fs.SetCurrentFolder(U"T:\\missing"));
  EXPECT_EQ(fs.CurrentFolder(U'T'), U"T:\\data");
}

TEST(FileSystem, CurrentDriveNeedsAnOpenableRoot) {
  TempDrive drive;
  FileSystem fs({{U'T', test::NativeString(drive.Root())}, {U'M', test::NativeString(drive.Native("no-medium"))}});
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
TEST(OutputFile, ReplacesAnExistingFilePassingOverALeftoverTemporaryOfTheSameProcessId) {
  TempDrive drive;
  drive.Write("X5.txt", "old\r\n");
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
  const std::string table = test::NativeString(drive.Native("table.txt"));
  drive.Files().SetFaultHook([&](FileOperation operation, const std::string& path) {
    EXPECT_EQ(path, table);
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
    if (entry.is_regular_file())
      bytes = (std::ostringstream() << std::ifstream(entry.path(), std::ios::binary).rdbuf()).str();
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
      SCOPED_TRACE(std::string(exists ? "existing folder" : "new folder") +
                   (kind == Fault::kError ? ", error" : ", short write"));
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
