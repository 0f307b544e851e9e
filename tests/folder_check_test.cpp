// The folder path check, the destination folder creation, path splitting and counting.
#include "run/folder_check.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "platform/file_system.h"
#include "support/test_support.h"

namespace tq {
namespace {

const Text kDriveMessage =
    U"規定値のドライブ名が正しくありません。ドライブ名は１文字のアルファベットと \":\" でなければいけません。  例 "
    U"\"C:\", \"D:\"...";

using test::ScriptedWindow;
using test::TempDrive;
using test::U8;

struct CheckCase {
  Text in;
  bool ok;
  Text completed;
  bool driveMessage;
};

// Folder texts on a file system of the drives T: and Z:.
const std::vector<CheckCase>& CheckCases() {
  static const std::vector<CheckCase> cases = {
      {U"  T:\\data  ", true, U"T:\\data\\", false},
      {U"\u3000T:\\data\u3000", true, U"T:\\data\\", false},
      {U"T:data", true, U"T:\\data\\", false},
      {U"T:", true, U"T:\\", false},
      {U"T:\\", true, U"T:\\", false},
      {U"t:\\a\\b\\", true, U"t:\\a\\b\\", false},
      {U"T:\\missing\\folder", true, U"T:\\missing\\folder\\", false},  // existence is not checked
      {U"", false, U"", true},
      {U"T", false, U"T", true},
      {U"\\\\server\\share", false, U"\\\\server\\share", true},
      {U"砂:\\data", false, U"砂:\\data", true},
      {U"1:\\data", false, U"1:\\data", false},
      {U"Q:\\data", false, U"Q:\\data", false},
      {U"T:\\a\\\\b", false, U"T:\\a\\\\b\\", false},
      {U"T:\\a*", false, U"T:\\a*", false},
      {U"T:\\a?b", false, U"T:\\a?b", false},
  };
  return cases;
}

TEST(CheckFolderPath, TrimsCompletesAndRefuses) {
  TempDrive drive;
  for (const CheckCase& c : CheckCases()) {
    ScriptedWindow window;
    Text path = c.in;
    EXPECT_EQ(CheckFolderPath(drive.Files(), path, window), c.ok) << U8(c.in);
    EXPECT_EQ(U8(path), U8(c.completed)) << U8(c.in);
    ASSERT_EQ(window.messages.size(), c.driveMessage ? 1u : 0u) << U8(c.in);
    if (!c.driveMessage) continue;
    EXPECT_EQ(window.messages[0].text, kDriveMessage);
    EXPECT_EQ(window.messages[0].style, 64);
    EXPECT_EQ(window.messages[0].title, std::nullopt);
  }
}

TEST(CheckFolderPath, DriveMessageIsSeventyCharacters) { EXPECT_EQ(kDriveNameMessage.size(), 70u); }

TEST(CheckFolderPath, MakesTheDriveCurrent) {
  TempDrive drive;
  drive.Files().SetCurrentDrive(U'Z');
  ScriptedWindow window;
  Text path = U"T:\\x";
  ASSERT_TRUE(CheckFolderPath(drive.Files(), path, window));
  EXPECT_EQ(drive.Files().CurrentDrive(), U'T');
}

// A caller that only wants the text gets what the check gives, without its messages, and the
// current drive and folder stay as they were.
TEST(CompleteFolderPath, CompletesLikeTheCheckAndLeavesTheCurrentDrive) {
  TempDrive drive;
  drive.MakeFolder("data");
  drive.Files().SetCurrentFolder(U"T:\\data");
  drive.Files().SetCurrentDrive(U'Z');
  for (const CheckCase& c : CheckCases()) {
    Text path = c.in;
    EXPECT_EQ(CompleteFolderPath(drive.Files(), path), c.ok) << U8(c.in);
    EXPECT_EQ(U8(path), U8(c.completed)) << U8(c.in);
    EXPECT_EQ(drive.Files().CurrentDrive(), U'Z') << U8(c.in);
    EXPECT_EQ(drive.Files().CurrentFolder(U'T'), U"T:\\data") << U8(c.in);
  }
}

TEST(EnsureDestinationFolder, AsksOnceThenCreatesEveryMissingLevel) {
  TempDrive drive;
  drive.MakeFolder("out");
  ScriptedWindow window;
  window.answers = {kAnswerYes};
  EXPECT_EQ(EnsureDestinationFolder(drive.Files(), U"T:\\out\\A\\B\\", window), EnsureResult::kExists);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, U"フォルダがありません。新規作成しますか？\n作成するフォルダ: T:\\out\\A\\B");
  EXPECT_EQ(window.messages[0].style, 36);
  EXPECT_TRUE(drive.Exists("out/A/B"));
}

TEST(EnsureDestinationFolder, DeclinedCreatesNothing) {
  TempDrive drive;
  ScriptedWindow window;
  window.answers = {kAnswerNo};
  EXPECT_EQ(EnsureDestinationFolder(drive.Files(), U"T:\\A\\B\\", window), EnsureResult::kDeclined);
  EXPECT_FALSE(drive.Exists("A"));
}

TEST(EnsureDestinationFolder, ExistingFolderAsksNothing) {
  TempDrive drive;
  drive.MakeFolder("A/B");
  drive.Write("F", "");
  ScriptedWindow window;
  EXPECT_EQ(EnsureDestinationFolder(drive.Files(), U"T:\\A\\B\\", window), EnsureResult::kExists);
  EXPECT_EQ(EnsureDestinationFolder(drive.Files(), U"T:\\", window), EnsureResult::kExists);
  EXPECT_EQ(EnsureDestinationFolder(drive.Files(), U"T:\\F\\", window), EnsureResult::kExists)
      << "a file counts as found";
  EXPECT_TRUE(window.messages.empty());
}

TEST(EnsureDestinationFolder, ALevelThatCannotBeCreatedIsAnError) {
  TempDrive drive;
  drive.Write("F", "");
  ScriptedWindow window;
  window.answers = {kAnswerYes};
  EXPECT_THROW(EnsureDestinationFolder(drive.Files(), U"T:\\F\\G\\", window), ConversionError);
}

TEST(SplitPath, EveryPieceFromIndexOne) {
  PathParts parts;
  SplitPath(U"C:\\A\\\\B\\", U"\\", parts);
  EXPECT_EQ(parts[0], U"");
  EXPECT_EQ(parts[1], U"C:");
  EXPECT_EQ(parts[2], U"A");
  EXPECT_EQ(parts[3], U"");
  EXPECT_EQ(parts[4], U"B");
  EXPECT_EQ(parts[5], U"");
  PathParts mixed;
  SplitPath(U"a/b\\c", U"\\/", mixed);
  EXPECT_EQ(mixed[3], U"c");
}

TEST(CountSeparators, SumsOverEverySeparator) {
  EXPECT_EQ(CountSeparators(U"C:\\A\\B\\", U"\\"), 3);
  EXPECT_EQ(CountSeparators(U"a/b\\c/", U"\\/"), 3);
  EXPECT_EQ(CountSeparators(U"表\\", U"\\"), 1) << "表 is 0x95 0x5C: its trail byte is no backslash";
}

}  // namespace
}  // namespace tq
