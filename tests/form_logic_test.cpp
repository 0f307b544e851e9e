// The form logic over a scripted view: start-up, browsing, Execute and the clicks given during a run.
#include "form/form_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "form/findings_table.h"
#include "form/folder_entries.h"
#include "run/execute.h"
#include "support/test_support.h"

namespace tq::test {
namespace {

// Records what the logic shows and answers its message boxes from a script.
class ScriptedView : public FormView {
 public:
  std::map<Box, Text> boxes;
  Text status;
  std::vector<Text> statusHistory;
  std::map<Browser, std::vector<Text>> driveCaptions;
  std::map<Browser, int> selectedDrive;
  std::map<Browser, std::vector<FolderEntry>> folderEntries;
  std::map<Browser, int> currentFolderEntry;
  std::vector<Text> files;
  std::vector<int> selection;
  std::vector<int> pointers;
  std::vector<Text> messages;
  std::vector<std::pair<int, int>> progress;  // (done, total); (-1, -1) when hidden
  int answer = kAnswerNo;
  std::function<void()> whileMessageShown;
  std::function<void()> onDiscardPendingInput;
  bool centred = false;
  bool closed = false;
  std::vector<std::vector<Finding>> shownFindings;
  Text statusWhenFindingsShown;

  Text BoxText(Box box) const override { return boxes.count(box) ? boxes.at(box) : Text(); }
  void SetBoxText(Box box, const Text& text) override { boxes[box] = text; }
  void SetStatusCaption(const Text& caption) override {
    status = caption;
    statusHistory.push_back(caption);
  }
  void FillDriveList(Browser browser, const std::vector<Text>& captions, int selected) override {
    driveCaptions[browser] = captions;
    selectedDrive[browser] = selected;
  }
  void SelectDrive(Browser browser, int index) override { selectedDrive[browser] = index; }
  void FillFolderList(Browser browser, const std::vector<FolderEntry>& entries, int current) override {
    folderEntries[browser] = entries;
    currentFolderEntry[browser] = current;
  }
  void FillFileList(const std::vector<Text>& names) override {
    files = names;
    selection.clear();
  }
  std::vector<int> SelectedFiles() const override { return selection; }
  void SelectFiles(const std::vector<int>& indices) override { selection = indices; }
  void CentreOnScreen() override { centred = true; }
  void SetMousePointer(int pointer) override { pointers.push_back(pointer); }
  void FocusDestinationBox() override {}
  int ShowMessage(const Text& text, int style, const std::optional<Text>&) override {
    messages.push_back(text);
    if (whileMessageShown) whileMessageShown();
    return style == kStyleYesNoQuestion ? answer : kAnswerOk;
  }
  void ShowProgress(int done, int total) override { progress.emplace_back(done, total); }
  void HideProgress() override { progress.emplace_back(-1, -1); }
  void Close() override { closed = true; }
  void DiscardPendingInput() override {
    if (onDiscardPendingInput) onDiscardPendingInput();
  }
  void ShowFindings(const std::vector<Finding>& findings) override {
    shownFindings.push_back(findings);
    statusWhenFindingsShown = status;
  }
};

void WriteBoring(const TempDrive& drive, const std::string& relative, const std::string& identifier) {
  drive.Write(relative, CrLf({"\"C\",\"" + identifier + "\",\"\",\"0\""}));
}

// T: with the pattern data folder T:\patdat\ named by the setting in T:\sys.
class FormLogicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drive_.MakeFolder("sys");
    drive_.MakeFolder("patdat");
    SetSetting("T:\\patdat\\");
    SetEnvironment("TECRIS2QUILLO_SYSDIR", NativeString(drive_.Native("sys")));
  }
  void TearDown() override { SetEnvironment("TECRIS2QUILLO_SYSDIR", ""); }

  void SetSetting(const std::string& line2) { drive_.Write("sys/PatdatV5.ini", CrLf({"[PATDAT]", line2})); }

  // The logic on the drive's file system after start-up.
  FormLogic& Started() {
    logic_ = std::make_unique<FormLogic>(view_, drive_.Files());
    logic_->FillBrowsers();
    EXPECT_TRUE(logic_->Form_Load());
    return *logic_;
  }

  TempDrive drive_;
  ScriptedView view_;
  std::unique_ptr<FormLogic> logic_;
};

TEST_F(FormLogicTest, StartUpEndsWithoutAUsablePatternSetting) {
  struct Case {
    const char* setting;
    bool starts;
  };
  for (const Case& c : {Case{"", false}, Case{"T:\\nothing\\", false}, Case{"T:\\patdat\\", true}}) {
    SCOPED_TRACE(c.setting);
    SetSetting(c.setting);
    ScriptedView view;
    FormLogic logic(view, drive_.Files());
    logic.FillBrowsers();

    EXPECT_EQ(logic.Form_Load(), c.starts);

    EXPECT_TRUE(view.centred);
    EXPECT_EQ(view.messages.size(), c.starts ? 0u : 1u);
    EXPECT_EQ(view.BoxText(Box::kText1), c.starts ? T("T:\\") : T(""));
    EXPECT_EQ(view.BoxText(Box::kText2), c.starts ? T("T:\\") : T(""));
  }
}

TEST_F(FormLogicTest, OpeningASourceFolderFillsTheBoxAndTheFileList) {
  WriteBoring(drive_, "src/12345678.002", "12345678002");
  WriteBoring(drive_, "src/12345678.001", "12345678001");
  WriteBoring(drive_, "src/12345678.003", "12345678009");  // another identifier inside
  drive_.MakeFolder("src/sub");
  FormLogic& logic = Started();
  view_.selection = {0};

  logic.SetFolderPath(Browser::kSource, U"T:\\src\\");

  EXPECT_EQ(view_.BoxText(Box::kText2), T("T:\\src\\"));
  EXPECT_EQ(view_.files, (std::vector<Text>{U"12345678.001", U"12345678.002"}));
  EXPECT_TRUE(view_.selection.empty());
  EXPECT_EQ(view_.BoxText(Box::kText1), T("T:\\"));  // the destination stays
  EXPECT_EQ(logic.Engine().Files().CurrentFolder(U'T'), T("T:\\src"));
}

// Entries are indented by depth: the root, the folders down to the current one, its subfolders.
TEST_F(FormLogicTest, FolderListShowsThePathDownToTheFolderThenItsSubfolders) {
  drive_.MakeFolder("a/b/c");
  drive_.MakeFolder("a/b/d");
  drive_.MakeFolder("a/e");
  FormLogic& logic = Started();

  ASSERT_TRUE(logic.SetFolderPath(Browser::kDestination, U"T:\\a\\b"));

  std::vector<FolderEntry> expected{{U"t:\\", U"T:\\", 0, FolderIcon::kDrive},
                                    {U"a", U"T:\\a", 1, FolderIcon::kOpenFolder},
                                    {U"b", U"T:\\a\\b", 2, FolderIcon::kOpenFolder},
                                    {U"c", U"T:\\a\\b\\c", 3, FolderIcon::kClosedFolder},
                                    {U"d", U"T:\\a\\b\\d", 3, FolderIcon::kClosedFolder}};
  EXPECT_EQ(view_.folderEntries[Browser::kDestination], expected);
  EXPECT_EQ(view_.currentFolderEntry[Browser::kDestination], 2);
  EXPECT_EQ(view_.BoxText(Box::kText1), T("T:\\a\\b"));

  logic.FolderOpened(Browser::kDestination, 1);  // up to T:\a

  EXPECT_EQ(view_.BoxText(Box::kText1), T("T:\\a"));
  EXPECT_EQ(view_.folderEntries[Browser::kDestination].back().path, T("T:\\a\\e"));
}

TEST_F(FormLogicTest, AFolderThatHasGoneChangesNothing) {
  drive_.MakeFolder("gone");
  FormLogic& logic = Started();
  logic.SetFolderPath(Browser::kSource, U"T:\\");
  int entry = 0;
  while (view_.folderEntries[Browser::kSource][static_cast<std::size_t>(entry)].caption != U"gone") ++entry;
  std::filesystem::remove(drive_.Native("gone"));

  logic.FolderOpened(Browser::kSource, entry);

  EXPECT_EQ(logic.FolderPath(Browser::kSource), T("T:\\"));
  EXPECT_EQ(view_.BoxText(Box::kText2), T("T:\\"));
}

TEST_F(FormLogicTest, ExecuteConvertsTheSelectedEntriesInListOrder) {
  for (const char* id : {"12345678001", "12345678002", "12345678003"}) {
    std::string name(id);
    WriteBoring(drive_, "src/" + name.substr(0, 8) + "." + name.substr(8), name);
  }
  drive_.MakeFolder("out");
  FormLogic& logic = Started();
  logic.SetFolderPath(Browser::kSource, U"T:\\src");
  view_.SetBoxText(Box::kText1, U"T:\\out");
  view_.selection = {0, 2};

  logic.Command1_Click();

  EXPECT_TRUE(drive_.Exists("out/12345678001/X5.txt"));
  EXPECT_FALSE(drive_.Exists("out/12345678002"));
  EXPECT_TRUE(drive_.Exists("out/12345678003/X5.txt"));
  EXPECT_EQ(view_.status, kCaptionFinished);
  EXPECT_EQ(view_.pointers, (std::vector<int>{kPointerHourglass, kPointerDefault}));
  EXPECT_EQ(view_.progress.front(), std::make_pair(0, 2));
  EXPECT_EQ(view_.progress.back(), std::make_pair(-1, -1));
  EXPECT_EQ(logic.Engine().FinishedFlag(), 1);
}

// The user clicks while a run goes on: at a message box, or into the window that cannot react
// until the run ends. Neither starts a second run, nor ends the program under the run.
TEST_F(FormLogicTest, ClicksGivenDuringARunAreDropped) {
  WriteBoring(drive_, "12345678.001", "12345678001");
  FormLogic& logic = Started();
  view_.SetBoxText(Box::kText1, U"T:\\new");
  view_.selection = {0};
  view_.answer = kAnswerYes;
  auto clickEverything = [&] {
    logic.Command1_Click();
    logic.Command2_Click();
    logic.Picture1_MouseMove();
  };
  view_.whileMessageShown = clickEverything;
  view_.onDiscardPendingInput = clickEverything;

  logic.Command1_Click();

  EXPECT_EQ(view_.messages.size(), 1u);  // the one create-folder question
  EXPECT_EQ(std::count(view_.statusHistory.begin(), view_.statusHistory.end(), kCaptionConverting), 1);
  EXPECT_TRUE(drive_.Exists("new/12345678001/X5.txt"));
  EXPECT_FALSE(view_.closed);
  EXPECT_EQ(view_.status, kCaptionFinished);
  EXPECT_FALSE(logic.Running());

  view_.whileMessageShown = nullptr;
  view_.onDiscardPendingInput = nullptr;
  logic.Command1_Click();  // after the run, a click runs again
  EXPECT_EQ(std::count(view_.statusHistory.begin(), view_.statusHistory.end(), kCaptionConverting), 2);
}

TEST_F(FormLogicTest, PointerOverTheBackgroundClearsOnlyTheEndMessage) {
  struct Case {
    std::int16_t flag;
    bool clears;
  };
  for (const Case& c : {Case{1, true}, Case{0, false}}) {
    FormLogic& logic = Started();
    view_.SetStatusCaption(kCaptionFinished);
    logic.Engine().FinishedFlag() = c.flag;

    logic.Picture1_MouseMove();

    EXPECT_EQ(view_.status.empty(), c.clears) << c.flag;
    EXPECT_EQ(logic.Engine().FinishedFlag(), 0);
  }
}

TEST_F(FormLogicTest, TestHookConvertsEveryFileOfAFolder) {
  WriteBoring(drive_, "src/12345678.001", "12345678001");
  WriteBoring(drive_, "src/12345678.002", "12345678002");
  drive_.MakeFolder("out");
  FormLogic& logic = Started();

  logic.ExecuteAllFiles(U"T:\\src", U"T:\\out");

  EXPECT_EQ(view_.BoxText(Box::kText2), T("T:\\src\\"));
  EXPECT_TRUE(drive_.Exists("out/12345678001/X5.txt"));
  EXPECT_TRUE(drive_.Exists("out/12345678002/X5.txt"));
  EXPECT_EQ(view_.status, kCaptionFinished);
}

// One file converted again and again in one window, so a run never shows what an earlier run found.
TEST_F(FormLogicTest, FindingsAreListedAfterARunWithWarningsOrErrors) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::optional<Severity> listed;  // the one finding listed, or no list at all
    long line;
  };
  const std::string header = R"("C","12345678001","","1")";
  const Case cases[] = {
      {"NotANumber", {header, R"("C","1","1","1.15","x50","30")"}, Severity::kWarning, 2},
      {"Clean", {header, R"("C","1","1","1.15","50","30")"}, std::nullopt, 0},
      {"OnlyANote", {R"("C","12345678001","","0")", R"("Q","x")"}, std::nullopt, 0},
      {"CountOutOfRange", {R"("C","12345678001","","40000")"}, Severity::kError, 1},
  };
  drive_.MakeFolder("out");
  drive_.MakeFolder("src");
  FormLogic& logic = Started();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    drive_.Write("src/12345678.001", CrLf(c.lines));
    logic.ExecuteAllFiles(U"T:\\src", U"T:\\out");
    std::vector<Finding> shown = view_.shownFindings.empty() ? std::vector<Finding>() : view_.shownFindings.back();
    view_.shownFindings.clear();

    if (!c.listed) {
      EXPECT_TRUE(shown.empty());
      continue;
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].severity, *c.listed);
    EXPECT_EQ(shown[0].line, c.line);
    EXPECT_EQ(shown[0].file, T("12345678.001"));
    EXPECT_EQ(view_.statusWhenFindingsShown, view_.status);  // the run's own end caption stays
  }
}

TEST(FindingsTableTest, CsvIsUtf8WithBomCrLfAndQuotesWhereNeeded) {
  std::vector<Finding> findings{
      {U"12345678.001", 12, Severity::kWarning, "not-a-number", U"数値ではありません：「x50」"},
      {U"a,b.001", 0, Severity::kError, "file-stopped", U"引用符 \"x\" を含む"},
      {U"12345678.002", 3, Severity::kInfo, "soil-name-learned", U"一行目\r\n二行目"},
  };

  std::string expected =
      "\xEF\xBB\xBF"
      "ファイル,行,重大度,コード,内容\r\n"
      "12345678.001,12,警告,not-a-number,数値ではありません：「x50」\r\n"
      "\"a,b.001\",,エラー,file-stopped,\"引用符 \"\"x\"\" を含む\"\r\n"
      "12345678.002,3,情報,soil-name-learned,\"一行目\r\n二行目\"\r\n";
  EXPECT_EQ(FindingsCsv(findings), expected);
  EXPECT_EQ(FindingsCsv({}),
            "\xEF\xBB\xBF"
            "ファイル,行,重大度,コード,内容\r\n");
}

// Lines sort by their number (a text sort would put 10 before 9), those on no line first.
TEST(FindingsTableTest, ColumnsSortLinesByNumberAndTextsByCharacters) {
  struct Case {
    Finding a, b;
    FindingColumn column;
    int sign;
  };
  auto at = [](const char32_t* file, long line) { return Finding{file, line, Severity::kWarning, "code", U"m"}; };
  const Case cases[] = {
      {at(U"f", 9), at(U"f", 10), FindingColumn::kLine, -1},
      {at(U"f", 0), at(U"f", 1), FindingColumn::kLine, -1},
      {at(U"f", 7), at(U"g", 7), FindingColumn::kLine, 0},
      {at(U"12345678.010", 1), at(U"12345678.009", 2), FindingColumn::kFile, 1},
  };
  for (const Case& c : cases) {
    int result = CompareFindings(c.a, c.b, c.column);
    EXPECT_EQ((result > 0) - (result < 0), c.sign) << ToUtf8(c.a.file) << " " << c.a.line;
    result = CompareFindings(c.b, c.a, c.column);
    EXPECT_EQ((result > 0) - (result < 0), -c.sign);
  }
}

}  // namespace
}  // namespace tq::test
