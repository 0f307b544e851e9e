// Whole Execute commands: the checks and their messages, the per-file loop, failures, the section
// chain, and the example borings against their reference outputs.
#include "run/execute.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "platform/file_system.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::ScriptedWindow;
using test::T;
using test::TempDrive;
using test::U8;

// The bytes of a file outside the test drive.
std::string ReadNative(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

const Text kInvalidPath = U"指定されたパスは正しくありません。";
const Text kConverting = U"只今変換中！　しばらくお待ちください。";
const Text kFinished = U"変換が正常に終了しました。";

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
  EXPECT_EQ(window_.captions, (std::vector<Text>{kConverting, kFinished}));
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
  ExpectOneMessage(U"フォルダがありません。新規作成しますか？\n作成するフォルダ: T:\\new\\deeper", 36, std::nullopt);
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
  // The classic text, then which file and why.
  ExpectOneMessage(U"指定されたﾌｧｲﾙは正しくありません\nファイル「T:\\src\\12345678.002」のボーリング識別子「1234567800」は 10 "
                   U"文字です。ボーリング識別子（最初の行の 2 番目の項目）は 11 文字でなければなりません。",
                   0, std::nullopt);
  EXPECT_TRUE(drive_.Exists("out/12345678001/titl01.txt"));
  EXPECT_FALSE(drive_.Exists("out/12345678003"));
  EXPECT_EQ(window_.LastPointer(), kPointerDefault);
  EXPECT_EQ(window_.LastCaption(), U"");
  EXPECT_EQ(converter_.FinishedFlag(), 0);
}

TEST_F(ExecuteTest, MissingSelectedFileIsRefused) {
  window_.SelectAll({U"12345678.009"});
  EXPECT_EQ(Run(), RunOutcome::kFileRefused);
  ExpectOneMessage(U"指定されたﾌｧｲﾙは正しくありません\nファイル「T:\\src\\12345678.009」がありません。", 0, std::nullopt);
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
  EXPECT_NE(U8(window_.messages[0].text).find("このボーリングのファイルは一つも書き込んでいません。"),
            std::string::npos);
}

// A boring folder that is a symbolic link would take the files outside the destination folder.
TEST_F(ExecuteTest, BoringFolderThatIsASymbolicLinkIsRefused) {
  drive_.MakeFolder("elsewhere");
  std::error_code linkError;
  std::filesystem::create_directory_symlink(drive_.Native("elsewhere"), drive_.Native("out/12345678001"), linkError);
  if (linkError) GTEST_SKIP() << "this system makes no symbolic links here: " << linkError.message();
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

// A window that also keeps what the run reports of each file.
class ReportingWindow : public ScriptedWindow {
 public:
  std::vector<SourceFileReport> reports;
  void SourceFileDone(const SourceFileReport& report) override { reports.push_back(report); }
};

// While one boring goes into place the next is converted; when the first cannot be put in
// place, the run must end as if the next had never been started: not written, not reported,
// and its soil names not taught to the tables.
TEST_F(ExecuteTest, ABoringThatCannotBePutInPlaceEndsTheRunBeforeTheNextChangesAnything) {
  const std::vector<std::string> newSoilName = {R"("X","a","b","1")", R"("X","1","1","2.0","砂","")"};
  AddSource("12345678.001", Boring("12345678001", kSectionC));
  AddSource("12345678.002", Boring("12345678002", kSectionC));
  AddSource("12345678.003", Boring("12345678003", newSoilName));
  converter_.Files().SetFaultHook([](FileOperation, const std::string& path) {
    return path.find("12345678002") != std::string::npos && path.ends_with("X5.txt");
  });
  ReportingWindow window;
  window.source = window_.source;
  window.destination = window_.destination;
  window.SelectAll({U"12345678.001", U"12345678.002", U"12345678.003"});

  EXPECT_EQ(window.Run(converter_), RunOutcome::kConversionFailed);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_NE(window.messages[0].text.find(U"12345678.002"), Text::npos) << U8(window.messages[0].text);
  EXPECT_EQ(drive_.Read("out/12345678001/X5.txt"), kX5);
  EXPECT_FALSE(drive_.Exists("out/12345678002"));
  EXPECT_FALSE(drive_.Exists("out/12345678003"));
  EXPECT_FALSE(drive_.Exists("pat/KISHITU.TXT")) << "the third boring taught the tables";
  EXPECT_FALSE(drive_.Exists("pat/XKISHITU.TXT")) << "the third boring taught the tables";
  ASSERT_EQ(window.reports.size(), 2u);
  EXPECT_EQ(window.reports[0].written.empty(), false);
  EXPECT_EQ(window.reports[1].source, U"12345678.002");
  EXPECT_TRUE(window.reports[1].written.empty()) << "reported as written although nothing was";
  EXPECT_TRUE(std::any_of(window.reports[1].findings.begin(), window.reports[1].findings.end(),
                          [](const Finding& f) { return f.code == finding_code::kFileStopped; }));
}

// A boring repeated in the next file finds the files the first one put in place.
// Borings go into place while later files are converted; a file whose boring is one of those
// must still see what the earlier file wrote, however many files stand between them.
TEST_F(ExecuteTest, ARepeatedBoringSeesWhatAnEarlierFileWrote) {
  struct Case {
    const char* name;
    int filesBetween;
  } cases[] = {{"next file", 0}, {"one file between", 1}, {"three files between", 3}};
  AddSource("12345678.001", Boring("12345678001", kSectionC));
  for (int k = 0; k < 3; ++k)
    AddSource("12345678.10" + std::to_string(k), Boring("1234567810" + std::to_string(k), {}));
  AddSource("12345678.002", Boring("12345678001", {}));
  for (const Case& c : cases) {
    std::string out = "out" + std::to_string(c.filesBetween);
    drive_.MakeFolder(out);
    std::vector<Text> selected = {U"12345678.001"};
    for (int k = 0; k < c.filesBetween; ++k) selected.push_back(T("12345678.10" + std::to_string(k)));
    selected.push_back(U"12345678.002");
    ReportingWindow window;
    window.source = window_.source;
    window.destination = U"T:\\" + T(out);
    window.SelectAll(selected);
    EXPECT_EQ(window.Run(converter_), RunOutcome::kCompleted) << c.name;
    ASSERT_EQ(window.reports.size(), selected.size()) << c.name;
    std::set<std::string> codes;
    for (const Finding& finding : window.reports.back().findings) codes.insert(finding.code);
    EXPECT_TRUE(codes.contains(finding_code::kStaleOutput))
        << c.name << ": the repeat did not see the first one's X5.txt";
    EXPECT_EQ(drive_.Read(out + "/12345678001/X5.txt"), kX5) << c.name;
  }
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
  AddSource("12345678.002", test::Sjis("\"Ａ\",\"12345678002\",\"\"\r\n") +
                                CrLf({"\"Ｃ\",\"\",\"\",\"1\"", "\"C\",\"\",\"\",\"1.15\",\"12\",\"30\""}));
  ASSERT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(drive_.Read("out/12345678001/X5.txt"), kX5);
  EXPECT_EQ(drive_.Read("out/12345678002/X5.txt"), kX5);
}

TEST_F(ExecuteTest, SectionOutOfOrderIsPassedOver) {
  AddSource("12345678.001",
            Boring("12345678001", {"\"Q\",\"unknown\"", "\"D\",\"\",\"\",\"0\"", kSectionC[0], kSectionC[1]}));
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

// ---- How the section chain reaches sections D to H and Z ----

namespace chain {

// A header whose count stands at characters 26 to 28 and is also its fourth field.
std::string HeaderLine(const std::string& kind, int count) {
  std::string digits = std::to_string(count);
  return "\"" + kind + "\",\"12345678901\",\"1234\"," + std::string(3 - digits.size(), ' ') + digits;
}

std::string DRow(const std::string& upper, const std::string& value22 = "") {
  std::string row = R"("D","1","1")";
  for (int v = 1; v <= 23; ++v) {
    std::string value = v == 2 ? upper : v == 3 ? "9" : v == 22 ? value22 : std::to_string(v);
    row += ",\"" + value + "\"";
  }
  return row;
}

const std::vector<std::string> kSectionC = {R"("C","a","b","1")", R"("C","1","1","1.15","12","30")"};
const std::vector<std::string> kSectionD = {R"("D","a","b","2")", DRow("1.5"), DRow("6")};
const std::vector<std::string> kSectionE = {R"("E","a","b","1")", R"("E","1","1","3.5","10","20","30")"};
const std::vector<std::string> kSectionF = {R"("F","a","b","1","8")", R"("F","1","1","1.00","2.50","2.5E-3")"};
const std::vector<std::string> kSectionG = {R"("G","a","b","2")", R"("G","1","1","0","1","5")",
                                            R"("G","1","2","1","2","6")"};
const std::vector<std::string> kSectionH = {R"("H","a","b","1")", R"("H","1","1","1","3","7")"};
const std::vector<std::string> kSectionX = {HeaderLine("X", 0)};
const std::vector<std::string> kSectionZ = {HeaderLine("Z", 2), R"("Z","1","1","1.2","表土")",
                                            R"("Z","1","2","3.5","粘土")"};
const std::string kX12 = CrLf({"   1,   0.00,\"表土\"", "   2,   1.20,\"粘土\""});

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> sections) {
  std::vector<std::string> lines;
  for (const auto& section : sections) lines.insert(lines.end(), section.begin(), section.end());
  return lines;
}

class SectionChainRunTest : public ::testing::Test {
 protected:
  SectionChainRunTest() {
    drive.MakeFolder("src");
    drive.MakeFolder("out");
    drive.MakeFolder("patdat");
    converter.Patterns().SetFolder(U"T:\\patdat\\");
    window.source = U"T:\\src";
    window.destination = U"T:\\out";
  }

  // Converts source files named 12345678.00n, each given by its lines after the first record.
  RunOutcome ConvertFiles(const std::vector<std::vector<std::string>>& files) {
    std::vector<Text> names;
    for (std::size_t n = 0; n < files.size(); ++n) {
      std::string name = "12345678.00" + std::to_string(n + 3);
      std::vector<std::string> lines = {"\"A\",\"12345678" + std::string("00") + std::to_string(n + 3) + "\",\"x\""};
      lines.insert(lines.end(), files[n].begin(), files[n].end());
      drive.Write("src/" + name, CrLf(lines));
      names.push_back(T(name));
    }
    window.SelectAll(names);
    return window.Run(converter);
  }

  RunOutcome Convert(const std::vector<std::string>& lines) { return ConvertFiles({lines}); }

  std::string Out(const std::string& name, int file = 3) { return drive.Read(Folder(file) + name); }
  bool Has(const std::string& name, int file = 3) { return drive.Exists(Folder(file) + name); }
  static std::string Folder(int file) { return "out/12345678" + std::string("00") + std::to_string(file) + "/"; }

  TempDrive drive;
  Converter converter{drive.Files()};
  ScriptedWindow window;
};

TEST_F(SectionChainRunTest, EverySectionOfTheChainIsConverted) {
  ASSERT_EQ(Convert(Join({kSectionC, kSectionD, kSectionE, kSectionF, kSectionG, kSectionH, kSectionX, kSectionZ})),
            RunOutcome::kCompleted);
  EXPECT_EQ(Out("L209.txt"), CrLf({"   1,,   3.50,,30,,10,20,,,,,,,"}));
  EXPECT_EQ(Out("L204.txt"), CrLf({"   1,   1.50,   1.00,0.0025,,,,,,,,,,,"}));
  EXPECT_EQ(Out("L201.txt"), CrLf({"   1,   1.00,   0.00,,,5,,,,,,,,,", "   2,   1.00,   1.00,,,6,,,,7,,,,,"}));
  EXPECT_EQ(Out("X12.txt"), kX12);
  EXPECT_EQ(Out("X100A.txt"), CrLf({"   1,1,15,20,21,,23", "   2,1,15,20,21,,23"}));
  EXPECT_TRUE(Has("X100.txt"));
  EXPECT_TRUE(Has("X5.txt"));
}

TEST_F(SectionChainRunTest, AFileWithoutSectionXKeepsItsSectionZ) {
  ASSERT_EQ(Convert(Join({kSectionC, kSectionD, kSectionE, kSectionF, kSectionG, kSectionH, kSectionZ})),
            RunOutcome::kCompleted);
  EXPECT_EQ(Out("X12.txt"), kX12);
}

TEST_F(SectionChainRunTest, ASectionZRightAfterTheChainIsFoundWithoutSectionX) {
  // The chain has read the Z header's record kind, so the X scan begins inside that line.
  ASSERT_EQ(Convert(Join({kSectionC, kSectionZ})), RunOutcome::kCompleted);
  EXPECT_EQ(Out("X12.txt"), kX12);
}

TEST_F(SectionChainRunTest, ASectionZBeforeSectionXIsStillPassedOver) {
  ASSERT_EQ(Convert(Join({kSectionC, kSectionZ, kSectionX})), RunOutcome::kCompleted);
  EXPECT_FALSE(Has("X12.txt"));
}

TEST_F(SectionChainRunTest, AHeaderOfFourFieldsWithNoRowsLeavesTheNextSection) {
  ASSERT_EQ(Convert(Join({{R"("E","a","b","0")"}, kSectionF, {R"("G","a","b","0")"}, kSectionH, kSectionZ})),
            RunOutcome::kCompleted);
  EXPECT_EQ(Out("L209.txt"), "");
  EXPECT_EQ(Out("L204.txt"), CrLf({"   1,   1.50,   1.00,0.0025,,,,,,,,,,,"}));
  EXPECT_EQ(Out("L201.txt"), CrLf({"   1,   2.00,   1.00,,,,,,,7,,,,,"}));
  EXPECT_EQ(Out("X12.txt"), kX12);
}

TEST_F(SectionChainRunTest, RowLettersInLowerCaseOrFullWidthShiftNoField) {
  ASSERT_EQ(Convert(Join({{R"("F","a","b","2")", R"("f","1","1","1.00","2.50","1")", R"("Ｆ","1","2","2.5","3","2")"},
                          kSectionG})),
            RunOutcome::kCompleted);
  EXPECT_EQ(Out("L204.txt"), CrLf({"   1,   1.50,   1.00,,,1,,,,,,,,,", "   2,   0.50,   2.50,,,2,,,,,,,,,"}));
  EXPECT_TRUE(Has("L201.txt"));
}

TEST_F(SectionChainRunTest, SectionDFilesUseTheLayersInTheBoringFolder) {
  drive.Write(Folder(3) + "X1.txt", CrLf({"   1,   2.00,0101,砂", "   2,   9.00,0202,粘土"}));
  ASSERT_EQ(Convert(Join({kSectionD, kSectionZ})), RunOutcome::kCompleted);
  std::string x100 = Out("X100.txt");
  EXPECT_NE(x100.find(test::Sjis(",0101,砂,")), std::string::npos) << x100;
  EXPECT_NE(x100.find(test::Sjis(",0202,粘土,")), std::string::npos) << x100;
  EXPECT_TRUE(Has("X100A.txt"));
}

TEST_F(SectionChainRunTest, SectionDFilesTakeTheLayersOfTheSameFilesSectionX) {
  converter.Patterns().SetProgramFolder(U"T:\\");
  drive.Write(Folder(3) + "X1.txt", CrLf({"   1,  99.00,0909,stale layer of an earlier run"}));
  std::vector<std::string> sectionX = {HeaderLine("X", 2), R"("X","1","","2.0","砂","")",
                                       R"("X","2","","9.0","粘土","")"};
  ASSERT_EQ(Convert(Join({kSectionD, sectionX})), RunOutcome::kCompleted);
  std::string x100 = Out("X100.txt");
  EXPECT_NE(x100.find(test::Sjis(",1000,砂,")), std::string::npos) << x100;
  EXPECT_NE(x100.find(test::Sjis(",1001,粘土,")), std::string::npos) << x100;
  EXPECT_EQ(x100.find("stale"), std::string::npos) << x100;
}

TEST_F(SectionChainRunTest, SectionDFilesWaitForTheXStep) {
  // A malformed X header stops the file before the layers are written, and so before X100.txt;
  // the boring's files are written together, so L209.txt is not written either.
  std::vector<std::string> badX = {R"("X","12345678901","1234", -5)"};
  EXPECT_EQ(Convert(Join({kSectionD, kSectionE, badX})), RunOutcome::kConversionFailed);
  EXPECT_FALSE(Has("L209.txt"));
  EXPECT_FALSE(Has("X100.txt"));
  EXPECT_FALSE(Has("X100A.txt"));
}

TEST_F(SectionChainRunTest, OnlyFilesWithTheirOwnSectionsGetTheirFiles) {
  ASSERT_EQ(ConvertFiles({Join({kSectionD, kSectionG}), Join({kSectionC})}), RunOutcome::kCompleted);
  EXPECT_TRUE(Has("X100.txt", 3));
  EXPECT_TRUE(Has("L201.txt", 3));
  EXPECT_FALSE(Has("X100.txt", 4));
  EXPECT_FALSE(Has("X100A.txt", 4));
  EXPECT_FALSE(Has("L201.txt", 4));
}

TEST_F(SectionChainRunTest, AValueBeyondSinglePrecisionStopsTheFileNamingItsLine) {
  EXPECT_EQ(Convert(Join({kSectionC, {R"("D","a","b","2")", DRow("1"), DRow("2", "1E39")}})),
            RunOutcome::kConversionFailed);
  ASSERT_EQ(window.messages.size(), 1u);
  std::string message = U8(window.messages[0].text);
  EXPECT_NE(message.find("12345678.003"), std::string::npos) << message;
  EXPECT_NE(message.find("の 6 行目"), std::string::npos) << message;
  EXPECT_NE(message.find("1E39"), std::string::npos) << message;
  EXPECT_FALSE(Has("X100.txt"));
}

TEST_F(SectionChainRunTest, AValueNoWriterCouldHoldStopsTheFileAndWritesNothingOfItsBoring) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    const char* line;
    std::vector<const char*> notWritten;  // files the sections before the value would have written
  };
  const Case cases[] = {
      {"section D, whose files wait for the X step",
       Join({kSectionC, {R"("D","a","b","1")", DRow("1.5", "1E39")}, kSectionE, kSectionZ}),
       "の 5 行目",
       {"X5.txt", "X100.txt", "X100A.txt", "L209.txt", "X12.txt"}},
      {"section G, written together with H",
       Join({kSectionF, {R"("G","a","b","1")", R"("G","1","1","1e39","2","5")"}, kSectionH, kSectionZ}),
       "の 5 行目",
       {"L204.txt", "L201.txt", "X12.txt"}},
      {"section H",
       Join({kSectionG, {R"("H","a","b","1")", R"("H","1","1","1","1e999","7")"}, kSectionZ}),
       "の 6 行目",
       {"L201.txt", "X12.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(drive.Native("out"));
    drive.MakeFolder("out");
    window = ScriptedWindow();
    window.source = U"T:\\src";
    window.destination = U"T:\\out";
    EXPECT_EQ(Convert(c.lines), RunOutcome::kConversionFailed);
    ASSERT_EQ(window.messages.size(), 1u);
    std::string message = U8(window.messages[0].text);
    EXPECT_NE(message.find(c.line), std::string::npos) << message;
    for (const char* name : c.notWritten) EXPECT_FALSE(Has(name)) << name;
  }
}

std::string ReadExample(const std::string& name) {
  return ReadNative(std::filesystem::path(TQ_EXAMPLES_DIR) / "borings" / name);
}

TEST_F(SectionChainRunTest, TheExampleBoringsConvertToTheSameBytesTwice) {
  const char* files[] = {"titl01.txt", "titl02.txt", "titl04.txt", "X5.txt",   "X100.txt",
                         "X100A.txt",  "L209.txt",   "L204.txt",   "L201.txt", "X12.txt"};
  for (const char* example : {"12345678.003", "12345678.004"}) {
    std::string bytes = ReadExample(example);
    ASSERT_FALSE(bytes.empty()) << example;
    drive.Write(std::string("src/") + example, bytes);
  }
  window.SelectAll({U"12345678.003", U"12345678.004"});
  ASSERT_EQ(window.Run(converter), RunOutcome::kCompleted);
  std::vector<std::string> first;
  for (int boring : {3, 4}) {
    for (const char* name : files) {
      ASSERT_TRUE(Has(name, boring)) << boring << " " << name;
      first.push_back(Out(name, boring));
    }
  }
  // Only the boring with section X has its layers.
  EXPECT_TRUE(Has("X1.txt", 3) && Has("X3.txt", 3));
  EXPECT_FALSE(Has("X1.txt", 4) || Has("X3.txt", 4));
  first.push_back(Out("X1.txt", 3));
  first.push_back(Out("X3.txt", 3));
  // Without section X the second boring's remarks are found all the same.
  EXPECT_EQ(Out("X12.txt", 4), Out("X12.txt", 3));
  ASSERT_EQ(window.Run(converter), RunOutcome::kCompleted);
  std::size_t k = 0;
  for (int boring : {3, 4}) {
    for (const char* name : files) EXPECT_EQ(Out(name, boring), first[k++]) << boring << " " << name;
  }
  EXPECT_EQ(Out("X1.txt", 3), first[k++]);
  EXPECT_EQ(Out("X3.txt", 3), first[k++]);
}

}  // namespace chain

// ---- The example borings against their reference outputs ----

// Every file the four example borings convert to, as kept under tests/fixtures/cli.
struct GoldenFile {
  const char* boring;
  const char* file;
};
const GoldenFile kGoldenFiles[] = {
    {"12345678001", "titl01.txt"}, {"12345678001", "titl02.txt"}, {"12345678001", "titl04.txt"},
    {"12345678001", "X5.txt"},

    {"12345678002", "titl01.txt"}, {"12345678002", "titl02.txt"}, {"12345678002", "titl04.txt"},
    {"12345678002", "X5.txt"},     {"12345678002", "X1.txt"},     {"12345678002", "X3.txt"},

    {"12345678003", "titl01.txt"}, {"12345678003", "titl02.txt"}, {"12345678003", "titl04.txt"},
    {"12345678003", "X5.txt"},     {"12345678003", "X100.txt"},   {"12345678003", "X100A.txt"},
    {"12345678003", "L209.txt"},   {"12345678003", "L204.txt"},   {"12345678003", "L201.txt"},
    {"12345678003", "X1.txt"},     {"12345678003", "X3.txt"},     {"12345678003", "X12.txt"},

    {"12345678004", "titl01.txt"}, {"12345678004", "titl02.txt"}, {"12345678004", "titl04.txt"},
    {"12345678004", "X5.txt"},     {"12345678004", "X100.txt"},   {"12345678004", "X100A.txt"},
    {"12345678004", "L209.txt"},   {"12345678004", "L204.txt"},   {"12345678004", "L201.txt"},
    {"12345678004", "X12.txt"},
};

void PrintTo(const GoldenFile& golden, std::ostream* out) { *out << golden.boring << "/" << golden.file; }

// The four example borings converted once, with a scratch copy of the example pattern data,
// for all the rows of the table.
class ExampleBoringsTest : public ::testing::TestWithParam<GoldenFile> {
 protected:
  static void SetUpTestSuite() {
    drive_ = new TempDrive;
    const std::filesystem::path examples = TQ_EXAMPLES_DIR;
    std::filesystem::copy(examples / "patdat", drive_->Native("patdat"));
    std::filesystem::copy(examples / "borings", drive_->Native("src"));
    drive_->MakeFolder("prog");
    Converter converter(drive_->Files());
    converter.Patterns().SetFolder(U"T:\\patdat\\");
    converter.Patterns().SetProgramFolder(U"T:\\prog");
    ScriptedWindow window;
    window.source = U"T:\\src";
    window.destination = U"T:\\out";
    window.answers = {kAnswerYes};
    window.SelectAll({U"12345678.001", U"12345678.002", U"12345678.003", U"12345678.004"});
    outcome_ = window.Run(converter);
  }
  static void TearDownTestSuite() {
    delete drive_;
    drive_ = nullptr;
  }

  static TempDrive* drive_;
  static RunOutcome outcome_;
};
TempDrive* ExampleBoringsTest::drive_ = nullptr;
RunOutcome ExampleBoringsTest::outcome_ = RunOutcome::kConversionFailed;

TEST_P(ExampleBoringsTest, WritesTheReferenceBytes) {
  ASSERT_EQ(outcome_, RunOutcome::kCompleted);
  const GoldenFile& golden = GetParam();
  std::string relative = std::string(golden.boring) + "/" + golden.file;
  std::string expected = ReadNative(std::filesystem::path(TQ_FIXTURES_DIR) / relative);
  ASSERT_FALSE(expected.empty()) << relative;
  EXPECT_EQ(drive_->Read("out/" + relative), expected) << relative;
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleBoringsTest, ::testing::ValuesIn(kGoldenFiles),
                         [](const ::testing::TestParamInfo<GoldenFile>& info) {
                           std::string name = std::string(info.param.boring) + "_" + info.param.file;
                           std::replace(name.begin(), name.end(), '.', '_');
                           return name;
                         });

TEST_F(ExampleBoringsTest, WritesNoOtherFile) {
  ASSERT_EQ(outcome_, RunOutcome::kCompleted);
  std::set<std::string> written;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(drive_->Native("out"))) {
    if (entry.is_regular_file())
      written.insert(std::filesystem::relative(entry.path(), drive_->Native("out")).generic_string());
  }
  std::set<std::string> expected;
  for (const GoldenFile& golden : kGoldenFiles) expected.insert(std::string(golden.boring) + "/" + golden.file);
  EXPECT_EQ(written, expected);
}

}  // namespace
}  // namespace tq
