// The file system's drive-letter paths over the native folders.
#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "support/test_support.h"

namespace tq::test {
namespace {

TEST(ListFolders, NamesVisibleSubfoldersInNameOrderAndNoFiles) {
  TempDrive drive;
  drive.MakeFolder("data/b");
  drive.MakeFolder("data/A");
  drive.MakeFolder("data/" + std::string("現場"));
  drive.MakeFolder("data/.cache");
  drive.MakeFolder("data/b/inner");
  drive.Write("data/12345678.001", "x");

  EXPECT_EQ(FileSystem::Instance().ListFolders(T("T:\\data")), (std::vector<Text>{U"A", U"b", U"現場"}));
  EXPECT_EQ(FileSystem::Instance().ListFolders(T("T:\\DATA\\")), (std::vector<Text>{U"A", U"b", U"現場"}));
}

TEST(ListFolders, EmptyForMissingFoldersFilesAndDrives) {
  TempDrive drive;
  drive.Write("plain.txt", "x");
  const FileSystem& fs = FileSystem::Instance();
  EXPECT_TRUE(fs.ListFolders(T("T:\\missing")).empty());
  EXPECT_TRUE(fs.ListFolders(T("T:\\plain.txt")).empty());
  EXPECT_TRUE(fs.ListFolders(T("Q:\\")).empty());
}

}  // namespace
}  // namespace tq::test
