// The selected files, the boring identifier, the boring folder and the offered file list.
#include "run/source_identity.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/errors.h"
#include "run/file_list.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::ScriptedWindow;
using test::Sjis;
using test::TempDrive;
using test::U8;

TEST(NumberSelectedFiles, SelectedEntriesInListOrderTrimmed) {
  ScriptedWindow window;
  window.items = {U"a", U" b ", U"c", U"d  ", U"e"};
  window.selected = {false, true, false, true, true};
  std::vector<Text> names;
  std::int32_t count = -1;
  NumberSelectedFiles(window.Request().files, names, count);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(names, (std::vector<Text>{U"", U"b", U"d", U"e"}));

  window.selected.assign(5, false);
  NumberSelectedFiles(window.Request().files, names, count);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(names, std::vector<Text>{U""});

  // More than a 16-bit count holds: all of them, and never none.
  window.items.assign(65536, U"12345678.001");
  window.selected.assign(65536, true);
  NumberSelectedFiles(window.Request().files, names, count);
  EXPECT_EQ(count, 65536);
  EXPECT_EQ(names.size(), 65537u);
}

TEST(ReadBoringIdentifier, ElevenCharactersOfTheFirstRecord) {
  TempDrive drive;
  struct Case {
    const char* name;
    std::string bytes;
    Text identifier;
  } cases[] = {
      {"quoted", "\"A\",\"12345678001\",\"x\"\r\n", U"12345678001"},
      {"ten characters", "\"A\",\"1234567800\"\r\n", U""},
      {"twelve characters", "\"A\",\"123456780012\"\r\n", U""},
      {"full-width characters count as one", Sjis("\"A\",\"１２３４５６７８００１\"\r\n"), U"１２３４５６７８００１"},
      {"a comma inside quotes counts", "\"A\",\"12345,78001\"\r\n", U"12345,78001"},
      {"one field on the line takes the next line's first", "\"A\"\r\n\"12345678001\"\r\n", U"12345678001"},
      {"next line's record kind", "\"A\"\r\n\"B\",\"12345678001\"\r\n", U""},
      {"a backslash would leave the destination folder", "\"A\",\"..\\..\\..\\xx\"\r\n", U""},
      {"a slash", "\"A\",\"1234/678001\"\r\n", U""},
      {"only dots", "\"A\",\"...........\"\r\n", U""},
      {"a trailing space", "\"A\",\"1234567800 \"\r\n", U""},
      {"a control character", "\"A\",\"12345\t78001\"\r\n", U""},
  };
  for (const auto& c : cases) {
    drive.Write("src/f.001", c.bytes);
    EXPECT_EQ(U8(ReadBoringIdentifier(drive.Files(), U"T:\\src\\f.001")), U8(c.identifier)) << c.name;
  }
}

TEST(ReadBoringIdentifier, MissingHiddenOrShortFiles) {
  TempDrive drive;
  drive.Write("src/.12345678.001", "\"A\",\"12345678001\"\r\n");
  drive.MakeFolder("src/12345678.002");
  drive.Write("src/12345678.003", "\"A\"\r\n");
  EXPECT_EQ(ReadBoringIdentifier(drive.Files(), U"T:\\src\\missing.001"), U"");
  EXPECT_EQ(ReadBoringIdentifier(drive.Files(), U"T:\\src\\.12345678.001"), U"");
  EXPECT_EQ(ReadBoringIdentifier(drive.Files(), U"T:\\src\\12345678.002"), U"");
  EXPECT_THROW(ReadBoringIdentifier(drive.Files(), U"T:\\src\\12345678.003"), ConversionError) << "one field in all";
}

TEST(EnsureBoringFolder, CreatesOneLevelUnlessSomethingIsThere) {
  TempDrive drive;
  drive.MakeFolder("out/12345678001");
  drive.Write("out/12345678001/X5.txt", "old");
  drive.Write("out/12345678002", "a file");
  EnsureBoringFolder(drive.Files(), U"T:\\out\\", U"12345678001");
  EXPECT_EQ(drive.Read("out/12345678001/X5.txt"), "old");
  EnsureBoringFolder(drive.Files(), U"T:\\out\\", U"12345678002");
  EXPECT_FALSE(std::filesystem::is_directory(drive.Native("out/12345678002")));
  EnsureBoringFolder(drive.Files(), U"T:\\out\\", U"12345678003");
  EXPECT_TRUE(std::filesystem::is_directory(drive.Native("out/12345678003")));
  EXPECT_THROW(EnsureBoringFolder(drive.Files(), U"T:\\missing\\", U"12345678004"), ConversionError);
}

TEST(FileList, ConvertibleNames) {
  struct Case {
    Text name;
    bool convertible;
  } cases[] = {
      {U"12345678.001", true},          {U"1234567a.001", false},  {U"1234567.0012", false},
      {U"123456789.01", false},         {U"12345678.0012", false}, {U"12345678.01", false},
      {U"１２３４５６７８.001", false}, {U"12345678_001", false},  {U"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsConvertibleFileName(c.name), c.convertible) << U8(c.name);
}

TEST(FileList, OffersFilesWhoseFirstRecordCarriesTheirName) {
  TempDrive drive;
  drive.Write("src/12345678.002", CrLf({"\"A\",\"12345678002\""}));
  drive.Write("src/12345678.001", CrLf({"\"A\",\"12345678001\""}));
  drive.Write("src/12345678.003", CrLf({"\"A\",\"12345678009\""}));
  drive.Write("src/1234567a.004", CrLf({"\"A\",\"1234567a004\""}));
  drive.Write("src/12345678.005", "");
  drive.Write("src/readme.txt", "x");
  std::vector<Text> expected{U"12345678.001", U"12345678.002"};
  EXPECT_EQ(ListConvertibleFiles(drive.Files(), U"T:\\src"), expected);
  EXPECT_EQ(ListConvertibleFiles(drive.Files(), U"T:\\src\\"), expected) << "no doubled backslash in the pattern";
  drive.Write("12345678.006", CrLf({"\"A\",\"12345678006\""}));
  EXPECT_EQ(ListConvertibleFiles(drive.Files(), U"T:\\"), std::vector<Text>{U"12345678.006"});
}

// Only the first bytes of each file are read, unless the first record runs on past them.
TEST(FileList, FirstRecordLongerThanTheBytesReadFirstIsReadToItsEnd) {
  TempDrive drive;
  const std::string longKind = "\"" + std::string(5000, 'A') + "\"";
  drive.Write("src/12345678.001", CrLf({longKind + ",\"12345678001\""}));
  drive.Write("src/12345678.002", CrLf({longKind + ",\"12345678009\""}));
  drive.Write("src/12345678.003",
              "\"" + std::string(4094, 'A') + "\",\"12345678003\"");             // straddles the end of the first bytes
  drive.Write("src/12345678.004", "\"" + std::string(4094, 'A') + "\",\"1234");  // ends inside its identifier
  EXPECT_EQ(ListConvertibleFiles(drive.Files(), U"T:\\src"), (std::vector<Text>{U"12345678.001", U"12345678.003"}));
}

TEST(FileList, AFolderOfMoreThan32767FilesIsStillListed) {
  TempDrive drive;
  drive.MakeFolder("big");
  for (int i = 0; i < 32768; ++i) std::ofstream(drive.Native("big/f" + std::to_string(i)));
  drive.Write("big/12345678.001", CrLf({"\"A\",\"12345678001\""}));
  EXPECT_EQ(ListConvertibleFiles(drive.Files(), U"T:\\big"), std::vector<Text>{U"12345678.001"});
}

TEST(FileList, ListFilesTakesEveryNameEvenBeyondTheTable) {
  TempDrive drive;
  drive.Write("d/a", "");
  drive.Write("d/b", "");
  std::vector<Text> names(2);
  ListFiles(drive.Files(), U"T:\\d\\*.*", names);
  EXPECT_EQ(names, (std::vector<Text>{U"", U"a", U"b"}));
}

}  // namespace
}  // namespace tq
