// The form logic's handlers.
#include "form/form_logic.h"

#include <algorithm>
#include <exception>

#include "form/folder_entries.h"
#include "patterns/pattern_settings.h"
#include "platform/paths.h"
#include "run/execute.h"
#include "run/file_list.h"

namespace tq {
namespace {

inline const Text kUnexpectedFailureMessage = U"予期しないエラーのため変換を中止しました。";

}  // namespace

FormLogic::FormLogic(FormView& view, FileSystem files) : view_(view), converter_(std::move(files)) {}

void FormLogic::FillBrowsers() {
  for (Browser browser : {Browser::kDestination, Browser::kSource}) {
    FillDrives(browser);
    // The lists show where the process stands; their change handlers run at start-up.
    Text current = converter_.Files().CurrentFolder(converter_.Files().CurrentDrive());
    if (!ShowFolder(browser, current)) view_.FillFolderList(browser, {}, -1);
  }
}

void FormLogic::FillDrives(Browser browser) {
  BrowserState& state = State(browser);
  const FileSystem& files = converter_.Files();
  state.drives = files.Drives();
  std::vector<Text> captions;
  for (char32_t letter : state.drives) captions.push_back(DriveCaption(files, letter));
  auto current = std::find(state.drives.begin(), state.drives.end(), files.CurrentDrive());
  state.driveIndex = current == state.drives.end() ? -1 : static_cast<int>(current - state.drives.begin());
  view_.FillDriveList(browser, captions, state.driveIndex);
}

bool FormLogic::Form_Load() {
  view_.CentreOnScreen();
  if (!LoadPatternFolder(converter_.Patterns(), *this)) return false;
  converter_.FinishedFlag() = 0;
  Drive1_Change();
  Drive2_Change();
  Dir1_Change();
  Dir2_Change();
  return true;
}

// The run does not return to the event loop, so the window cannot react to a click until it
// ends; what the user clicked meanwhile is dropped rather than starting a second run after it.
void FormLogic::Command1_Click() {
  if (running_) return;
  running_ = true;
  runFindings_.clear();
  RunGuarded();
  view_.HideProgress();
  view_.DiscardPendingInput();
  ShowRunFindings();
  running_ = false;
}

// The list comes after the run, so the classic end caption and message boxes stay as they were;
// a run whose findings are only notes (soil names the tables learned) shows none.
void FormLogic::ShowRunFindings() {
  if (runFindings_.empty()) return;
  view_.ShowFindings(runFindings_);
  runFindings_.clear();
}

void FormLogic::RunGuarded() {
  try {
    RunRequest request{view_.BoxText(Box::kText2), view_.BoxText(Box::kText1), CollectSelectedFiles()};
    tq::Command1_Click(converter_, request, *this);
  } catch (const std::exception&) {
    // The engine reports every failure it knows itself; this keeps the window usable after
    // one it does not know.
    SetMousePointer(kPointerDefault);
    SetStatusCaption(Text());
    MsgBox(kUnexpectedFailureMessage, kStyleOkExclamation, std::nullopt);
  }
}

void FormLogic::Command2_Click() {
  if (!running_) view_.Close();
}

void FormLogic::Picture1_MouseMove() {
  if (running_ || converter_.FinishedFlag() != 1) return;
  view_.SetStatusCaption(Text());
  converter_.FinishedFlag() = 0;
}

char32_t FormLogic::Drive(Browser browser) const {
  const BrowserState& state = State(browser);
  if (state.driveIndex < 0 || state.driveIndex >= static_cast<int>(state.drives.size())) {
    return converter_.Files().CurrentDrive();
  }
  return state.drives[static_cast<std::size_t>(state.driveIndex)];
}

void FormLogic::DriveSelected(Browser browser, int index) {
  if (index == State(browser).driveIndex) return;
  State(browser).driveIndex = index;
  DriveChange(browser);
}

// A drive that cannot be opened: back to the drive chosen before (the first one when there was
// none), whose change runs in turn.
void FormLogic::DriveChange(Browser browser) {
  BrowserState& state = State(browser);
  if (!SetFolderOfDrive(browser, Drive(browser))) {
    int back = state.rememberedIndex.value_or(0);
    if (back != state.driveIndex) {
      state.driveIndex = back;
      view_.SelectDrive(browser, back);
      DriveChange(browser);
      return;
    }
  }
  state.rememberedIndex = state.driveIndex;
  converter_.Files().SetCurrentDrive(Drive(browser));
}

// The drive's current folder, or its root when that folder has gone.
bool FormLogic::SetFolderOfDrive(Browser browser, char32_t letter) {
  Text current = converter_.Files().CurrentFolder(letter);
  if (SetFolderPath(browser, current)) return true;
  return SetFolderPath(browser, current.substr(0, kRootLength));
}

void FormLogic::FolderOpened(Browser browser, int entry) {
  const std::vector<FolderEntry>& entries = State(browser).entries;
  if (entry < 0 || entry >= static_cast<int>(entries.size())) return;
  Text path = entries[static_cast<std::size_t>(entry)].path;  // a copy: opening fills the entries anew
  SetFolderPath(browser, path);
}

bool FormLogic::SetFolderPath(Browser browser, const Text& path) {
  std::optional<bool> changed = ShowFolder(browser, path);
  if (!changed) return false;
  if (*changed) FolderChange(browser);
  return true;
}

std::optional<bool> FormLogic::ShowFolder(Browser browser, const Text& path) {
  Text folder = FolderListPath(path);
  if (folder.size() < kRootLength || !converter_.Files().IsFolder(folder)) return std::nullopt;
  BrowserState& state = State(browser);
  bool changed = folder != state.folder;
  state.folder = folder;
  FolderEntries list = FolderEntriesOf(converter_.Files(), folder);
  state.entries = list.entries;
  view_.FillFolderList(browser, list.entries, list.current);
  return changed;
}

void FormLogic::FolderChange(Browser browser) {
  if (browser == Browser::kDestination) {
    Dir1_Change();
    return;
  }
  Dir2_Change();
}

void FormLogic::Dir1_Change() {
  const Text& folder = State(Browser::kDestination).folder;
  view_.SetBoxText(Box::kText1, folder);
  converter_.Files().SetCurrentFolder(folder);
}

void FormLogic::Dir2_Change() {
  const Text& folder = State(Browser::kSource).folder;
  converter_.Files().SetCurrentFolder(folder);
  fileNames_.clear();
  view_.FillFileList(fileNames_);
  view_.SetBoxText(Box::kText2, WithBackslash(folder));
  fileNames_ = ListConvertibleFiles(converter_.Files(), folder);
  view_.FillFileList(fileNames_);
}

std::vector<Text> FormLogic::CollectSelectedFiles() const {
  std::vector<Text> names;
  for (int index : view_.SelectedFiles()) {
    if (index >= 0 && index < static_cast<int>(fileNames_.size())) {
      names.push_back(fileNames_[static_cast<std::size_t>(index)]);
    }
  }
  return names;
}

void FormLogic::ExecuteAllFiles(const Text& source, const Text& destination) {
  SetFolderPath(Browser::kSource, source);
  view_.SetBoxText(Box::kText1, destination);
  std::vector<int> all;
  for (std::size_t i = 0; i < fileNames_.size(); ++i) all.push_back(static_cast<int>(i));
  view_.SelectFiles(all);
  Command1_Click();
}

int FormLogic::MsgBox(const Text& text, int style, const std::optional<Text>& title) {
  return view_.ShowMessage(text, style, title);
}

// The bar has room for the count only, not the file name.
void FormLogic::ReportProgress(int done, int total, const Text&) {
  if (total < 2 || done >= total) {
    view_.HideProgress();
    return;
  }
  view_.ShowProgress(done, total);
}

// A warning does not stop the run, but the user must see it as it happens.
void FormLogic::Warning(const Text& text) { MsgBox(text, kStyleOkExclamation, std::nullopt); }

void FormLogic::Finding(const tq::Finding& finding) {
  if (finding.severity != Severity::kInfo) runFindings_.push_back(finding);
}

}  // namespace tq
