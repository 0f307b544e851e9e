// Whole Execute commands: the checks and their messages, the per-file loop, failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "platform/file_system.h"
#include "run/execute.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::ScriptedWindow;
using test::TempDrive;
using test::U8;

const Text kInvalidPath = U"指定されたパスは正しくありません。";

// A source file: its first record, the given records, and a record of a kind outside the chain
// (a file must not end inside its title section).
std::string Boring(const std::string& id, const std::vector<std::string>& moreLines) {
  std::vector<std::string> lines{"\"A\",\"" + id + "\",\"\""};
  lines.insert(lines.end(), moreLines.begin(), moreLines.end());
  lines.push_back("\"Q\",\"end\"");
  return CrLf(lines);
}

const std::vector<std::string> kSectionC = {"\"C\",\"\",\"\",\"1\"", "\"C\",\"\",\"\",\"1.15\",\"12\",\"30\""};
const std::string kX5 = CrLf({"   1,   1.15,12,,30,,,,,,"});

class ExecuteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drive_.MakeFolder("src");
    drive_.MakeFolder("out");
    drive_.MakeFolder("pat");
    converter_.Patterns().SetFolder(U"T:\\pat\\");
    window_.source = U"T:\\src\\";
    window_.destination = U"T:\\out";
  }

  void AddSource(const std::string& name, const std::string& bytes) {
    drive_.Write("src/" + name, bytes);
    window_.items.push_back(test::T(name));
    window_.selected.push_back(true);
  }

  RunOutcome Run() { return window_.Run(converter_); }

  void ExpectOneMessage(const Text& text, int style, const std::optional<Text>& title) {
    ASSERT_EQ(window_.messages.size(), 1u);
    EXPECT_EQ(U8(window_.messages[0].text), U8(text));
    EXPECT_EQ(window_.messages[0].style, style);
    EXPECT_EQ(window_.messages[0].title, title);
  }

  TempDrive drive_;
  Converter converter_{drive_.Files()};
  ScriptedWindow window_;
};

TEST_F(ExecuteTest, TwoFilesConvertIntoTheirBoringFolders) {
  AddSource("12345678.001", Boring("12345678001", kSectionC));
  AddSource("12345678.002", Boring("12345678002", {}));
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_TRUE(window_.messages.empty());
  EXPECT_EQ(window_.captions, (std::vector<Text>{kCaptionConverting, kCaptionFinished}));
  EXPECT_EQ(window_.pointers, (std::vector<int>{kPointerHourglass, kPointerDefault}));
  EXPECT_EQ(converter_.FinishedFlag(), 1);
  EXPECT_EQ(drive_.Read("out/12345678001/X5.txt"), kX5);
  EXPECT_TRUE(drive_.Exists("out/12345678001/titl01.txt"));
  EXPECT_TRUE(drive_.Exists("out/12345678002/titl04.txt"));
  EXPECT_FALSE(drive_.Exists("out/12345678002/X5.txt")) << "no section C, no X5.txt";
}

TEST_F(ExecuteTest, SourceFolderFailsTheCheck) {
  window_.source = U"T:\\a*";
  EXPECT_EQ(Run(), RunOutcome::kStoppedByCheck);
  ExpectOneMessage(kInvalidPath, 48, U"T:\\a*");
  EXPECT_EQ(window_.LastCaption(), U"");
  EXPECT_EQ(window_.focusCount, 0);
}

TEST_F(ExecuteTest, SourceWithoutDriveShowsBothMessages) {
  window_.source = U"  src ";
  EXPECT_EQ(Run(), RunOutcome::kStoppedByCheck);
  ASSERT_EQ(window_.messages.size(), 2u);
  EXPECT_EQ(window_.messages[0].style, 64);
  EXPECT_EQ(window_.messages[1].text, kInvalidPath);
  EXPECT_EQ(window_.messages[1].title, U"src") << "titled with the trimmed text";
}

TEST_F(ExecuteTest, DestinationFailsTheCheck) {
  window_.destination = U" Q:\\out ";
  EXPECT_EQ(Run(), RunOutcome::kStoppedByCheck);
  ExpectOneMessage(kInvalidPath, 48, U"Q:\\out");
  EXPECT_EQ(window_.focusCount, 1);
  EXPECT_EQ(window_.LastCaption(), U"");
}

TEST_F(ExecuteTest, DestinationEndingWithABackslashIsRefused) {
  for (Text destination : {U"T:\\out\\", U"T:\\"}) {
    window_.messages.clear();
    window_.destination = destination;
    EXPECT_EQ(Run(), RunOutcome::kStoppedByCheck);
    ExpectOneMessage(U"最後のフォルダに「￥」は要りません。", 48, destination);
  }
}

TEST_F(ExecuteTest, DeclinedDestinationStops) {
  AddSource("12345678.001", Boring("12345678001", {}));
  window_.destination = U"T:\\new\\deeper";
  window_.answers = {kAnswerNo};
  EXPECT_EQ(Run(), RunOutcome::kStoppedByCheck);
  ExpectOneMessage(U"フォルダがありません。新規作成しますか？", 36, std::nullopt);
  EXPECT_FALSE(drive_.Exists("new"));
  EXPECT_EQ(window_.LastCaption(), U"");
}

TEST_F(ExecuteTest, AcceptedDestinationIsCreatedAndUsed) {
  AddSource("12345678.001", Boring("12345678001", {}));
  window_.destination = U"T:\\new\\deeper";
  window_.answers = {kAnswerYes};
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_TRUE(drive_.Exists("new/deeper/12345678001/titl01.txt"));
}

TEST_F(ExecuteTest, NothingSelected) {
  AddSource("12345678.001", Boring("12345678001", {}));
  window_.selected = {false};
  EXPECT_EQ(Run(), RunOutcome::kStoppedByCheck);
  ExpectOneMessage(U"変換元ファイルが選択されていません。", 0, std::nullopt);
  EXPECT_EQ(window_.LastPointer(), kPointerDefault);
  EXPECT_EQ(window_.LastCaption(), U"");
}

TEST_F(ExecuteTest, RefusedFileStopsTheRunKeepingEarlierFiles) {
  AddSource("12345678.001", Boring("12345678001", {}));
  AddSource("12345678.002", Boring("1234567800", {}));  // ten characters
  AddSource("12345678.003", Boring("12345678003", {}));
  EXPECT_EQ(Run(), RunOutcome::kFileRefused);
  ExpectOneMessage(U"指定されたﾌｧｲﾙは正しくありません", 0, std::nullopt);
  EXPECT_TRUE(drive_.Exists("out/12345678001/titl01.txt"));
  EXPECT_FALSE(drive_.Exists("out/12345678003"));
  EXPECT_EQ(window_.LastPointer(), kPointerDefault);
  EXPECT_EQ(window_.LastCaption(), U"");
  EXPECT_EQ(converter_.FinishedFlag(), 0);
}

TEST_F(ExecuteTest, MissingSelectedFileIsRefused) {
  window_.SelectAll({U"12345678.009"});
  EXPECT_EQ(Run(), RunOutcome::kFileRefused);
}

TEST_F(ExecuteTest, MalformedFileStopsWithFileLineAndCause) {
  AddSource("12345678.001", Boring("12345678001", {"\"C\",\"\",\"\",\"3\"", "\"C\",\"\",\"\",\"1\",\"2\",\"3\""}));
  AddSource("12345678.002", Boring("12345678002", {}));
  EXPECT_EQ(Run(), RunOutcome::kConversionFailed);
  ASSERT_EQ(window_.messages.size(), 1u);
  const std::string text = U8(window_.messages[0].text);
  EXPECT_EQ(window_.messages[0].style, 48);
  EXPECT_NE(text.find("T:\\src\\12345678.001"), std::string::npos) << text;
  EXPECT_NE(text.find("4 行目"), std::string::npos) << text;  // the last line, taken for a row
  EXPECT_NE(text.find("途中で終わっています"), std::string::npos) << text;
  EXPECT_NE(text.find("このボーリングのファイルは一つも書き込んでいません。"), std::string::npos) << text;
  EXPECT_FALSE(drive_.Exists("out/12345678001")) << "nothing of the boring that stopped is written";
  EXPECT_FALSE(drive_.Exists("out/12345678002")) << "later files are not processed";
  EXPECT_EQ(window_.LastCaption(), U"");
  EXPECT_EQ(window_.LastPointer(), kPointerDefault);
  EXPECT_EQ(converter_.FinishedFlag(), 0);
}

// Every file of a boring folder, by name, with its bytes.
std::map<std::string, std::string> FolderFiles(const TempDrive& drive, const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(drive.Native(folder))) {
    files[entry.path().filename().string()] = drive.Read(folder + "/" + entry.path().filename().string());
  }
  return files;
}

// A boring that stops half-way leaves its folder exactly as an earlier conversion left it; the
// borings before it in the run stay converted.
TEST_F(ExecuteTest, FileThatStopsLeavesItsBoringFolderAsItWas) {
  drive_.Write("out/12345678002/titl01.txt", "old title\r\n");
  drive_.Write("out/12345678002/X5.txt", "old X5\r\n");
  drive_.Write("out/12345678002/notes.txt", "kept\r\n");
  const auto before = FolderFiles(drive_, "out/12345678002");
  AddSource("12345678.001", Boring("12345678001", kSectionC));
  AddSource("12345678.002", Boring("12345678002", {kSectionC[0], kSectionC[1], "\"E\",\"\",\"\",\"4\""}));
  EXPECT_EQ(Run(), RunOutcome::kConversionFailed);
  EXPECT_EQ(FolderFiles(drive_, "out/12345678002"), before);
  EXPECT_EQ(drive_.Read("out/12345678001/X5.txt"), kX5);
  ASSERT_EQ(window_.messages.size(), 1u);
  EXPECT_NE(U8(window_.messages[0].text).find("このボーリングのファイルは一つも書き込んでいません。"), std::string::npos);
}

// A boring folder that is a symbolic link would take the files outside the destination folder.
TEST_F(ExecuteTest, BoringFolderThatIsASymbolicLinkIsRefused) {
  drive_.MakeFolder("elsewhere");
  std::filesystem::create_directory_symlink(drive_.Native("elsewhere"), drive_.Native("out/12345678001"));
  AddSource("12345678.001", Boring("12345678001", kSectionC));
  EXPECT_EQ(Run(), RunOutcome::kConversionFailed);
  ASSERT_EQ(window_.messages.size(), 1u);
  EXPECT_NE(window_.messages[0].text.find(U"「T:\\out\\12345678001」はシンボリックリンクです"), Text::npos)
      << U8(window_.messages[0].text);
  EXPECT_TRUE(std::filesystem::is_empty(drive_.Native("elsewhere")));
}

TEST_F(ExecuteTest, OutputThatCannotBeWrittenStopsTheRun) {
  AddSource("12345678.001", Boring("12345678001", kSectionC));
  converter_.Files().SetFaultHook([](FileOperation, const std::string& path) { return path.ends_with("X5.txt"); });
  EXPECT_EQ(Run(), RunOutcome::kConversionFailed);
  ASSERT_EQ(window_.messages.size(), 1u);
  EXPECT_NE(U8(window_.messages[0].text).find("X5.txt"), std::string::npos);
  EXPECT_EQ(window_.LastCaption(), U"");
}

TEST_F(ExecuteTest, TitleFieldsDoNotCarryIntoTheNextFile) {
  AddSource("12345678.001", Boring("12345678001", {"\"A\",\"\",\"\",\"First site\""}));
  AddSource("12345678.002", Boring("12345678002", {}));
  ASSERT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(drive_.Read("out/12345678001/titl01.txt").substr(0, 12), "First site\r\n");
  EXPECT_EQ(drive_.Read("out/12345678002/titl01.txt").substr(0, 2), "\r\n");
}

TEST_F(ExecuteTest, RecordKindsAreNormalisedWhereverTheRunReadsThem) {
  // A lower-case kind right after a short title section, a full-width one after the title.
  AddSource("12345678.001", Boring("12345678001", {"\"c\",\"\",\"\",\"1\"", "\"C\",\"\",\"\",\"1.15\",\"12\",\"30\""}));
  AddSource("12345678.002", test::Sjis("\"Ａ\",\"12345678002\",\"\"\r\n") + CrLf({"\"Ｃ\",\"\",\"\",\"1\"", "\"C\",\"\",\"\",\"1.15\",\"12\",\"30\""}));
  ASSERT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(drive_.Read("out/12345678001/X5.txt"), kX5);
  EXPECT_EQ(drive_.Read("out/12345678002/X5.txt"), kX5);
}

TEST_F(ExecuteTest, SectionOutOfOrderIsPassedOver) {
  AddSource("12345678.001", Boring("12345678001", {"\"Q\",\"unknown\"", "\"D\",\"\",\"\",\"0\"", kSectionC[0], kSectionC[1]}));
  ASSERT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_FALSE(drive_.Exists("out/12345678001/X5.txt"));
}

TEST_F(ExecuteTest, DestinationWithoutBackslashAfterTheColonLandsInTheCheckedFolder) {
  AddSource("12345678.001", Boring("12345678001", kSectionC));
  drive_.MakeFolder("elsewhere");
  converter_.Files().SetCurrentFolder(U"T:\\elsewhere");
  window_.destination = U"T:out";
  window_.source = U"T:src";
  ASSERT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(drive_.Read("out/12345678001/X5.txt"), kX5);
  EXPECT_FALSE(drive_.Exists("elsewhere/out"));
}

TEST_F(ExecuteTest, ConvertingTwiceKeepsFilesOfMissingSections) {
  AddSource("12345678.001", Boring("12345678001", kSectionC));
  ASSERT_EQ(Run(), RunOutcome::kCompleted);
  drive_.Write("src/12345678.001", Boring("12345678001", {}));
  ASSERT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(drive_.Read("out/12345678001/X5.txt"), kX5);
}

TEST_F(ExecuteTest, CountOutsideTheRangeStopsTheRunNamingItsLine) {
  const std::string headers[] = {
      "\"C\",\"\",\"\",\"70000\"",
      "\"X\",\"\",\"\",\"40000\"",  // the X header right after the chain
      "\"X\",\"\",\"\",\"1e39\"",   // beyond single precision
  };
  for (const std::string& header : headers) {
    window_ = ScriptedWindow();
    window_.source = U"T:\\src\\";
    window_.destination = U"T:\\out";
    AddSource("12345678.001", Boring("12345678001", {header}));
    EXPECT_EQ(Run(), RunOutcome::kConversionFailed) << header;
    ASSERT_EQ(window_.messages.size(), 1u) << header;
    EXPECT_NE(U8(window_.messages[0].text).find("2 行目"), std::string::npos) << U8(window_.messages[0].text);
  }
}

// Two converters in one process: each keeps its own current drive, write failures, pattern
// folder and finished flag.
TEST(TwoConverters, ShareNothing) {
  TempDrive failing;
  TempDrive working;
  Converter first(failing.Files());
  Converter second(working.Files());
  for (auto [drive, converter] : {std::pair{&failing, &first}, std::pair{&working, &second}}) {
    drive->MakeFolder("out");
    drive->Write("src/12345678.001", Boring("12345678001", kSectionC));
    converter->Files().SetCurrentDrive(U'Z');
  }
  first.Files().SetFaultHook([](FileOperation, const std::string& path) { return path.ends_with("X5.txt"); });
  first.Patterns().SetFolder(U"T:\\first\\");
  ScriptedWindow window;
  window.source = U"T:\\src";
  window.destination = U"T:\\out";
  window.SelectAll({U"12345678.001"});

  EXPECT_EQ(window.Run(first), RunOutcome::kConversionFailed);
  EXPECT_EQ(first.Files().CurrentDrive(), U'T');
  EXPECT_EQ(second.Files().CurrentDrive(), U'Z');
  EXPECT_EQ(second.Patterns().Folder(), U"");

  EXPECT_EQ(window.Run(second), RunOutcome::kCompleted);
  EXPECT_EQ(working.Read("out/12345678001/X5.txt"), kX5);
  EXPECT_FALSE(failing.Exists("out/12345678001/X5.txt"));
  EXPECT_EQ(first.FinishedFlag(), 0);
  EXPECT_EQ(second.FinishedFlag(), 1);
}

// An observer that answers nothing creates no folder and shows nothing it was not asked to.
TEST(RunObserver, AnswersOkAndNoByDefault) {
  TempDrive drive;
  drive.Write("src/12345678.001", Boring("12345678001", {}));
  Converter converter(drive.Files());
  RunObserver silent;
  EXPECT_EQ(silent.MsgBox(U"x", kStyleOkExclamation, std::nullopt), kAnswerOk);
  EXPECT_EQ(Command1_Click(converter, {U"T:\\src", U"T:\\new", {U"12345678.001"}}, silent),
            RunOutcome::kStoppedByCheck);
  EXPECT_FALSE(drive.Exists("new"));
}

}  // namespace
}  // namespace tq
