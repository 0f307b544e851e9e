// Form1's behaviour, written once for every window: start-up, the browsing handlers, Execute,
// exit, the background's pointer handler and what a run shows.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "common/text.h"
#include "form/form_view.h"
#include "platform/file_system.h"
#include "run/converter.h"
#include "run/run_observer.h"

namespace tq {

// The handlers keep the classic names. A window forwards its controls' events here and shows
// what the logic hands it through its FormView. One converter lasts for the window's lifetime.
class FormLogic : public RunObserver {
 public:
  FormLogic(FormView& view, FileSystem files);
  FormLogic(const FormLogic&) = delete;
  FormLogic& operator=(const FormLogic&) = delete;

  Converter& Engine() { return converter_; }

  // Fills the drive and folder lists at the current drive's current folder; the window calls it
  // once its controls exist.
  void FillBrowsers();
  // Start-up; false when the program must end before the window is shown.
  bool Form_Load();

  void Command1_Click();
  void Command2_Click();
  void Picture1_MouseMove();
  // The user chose a drive list's entry or opened a folder list's entry.
  void DriveSelected(Browser browser, int index);
  void FolderOpened(Browser browser, int entry);

  void Drive1_Change() { DriveChange(Browser::kDestination); }
  void Drive2_Change() { DriveChange(Browser::kSource); }
  void Dir1_Change();
  void Dir2_Change();

  // The names of the selected entries of the file list, in list order.
  std::vector<Text> CollectSelectedFiles() const;
  // A folder list's path; false, with nothing changed, when there is no such folder.
  bool SetFolderPath(Browser browser, const Text& path);
  const Text& FolderPath(Browser browser) const { return State(browser).folder; }
  char32_t Drive(Browser browser) const;
  bool Running() const { return running_; }

  // A test hook: the source folder list opens source, the destination box gets destination,
  // every file of the file list is selected and Execute runs.
  void ExecuteAllFiles(const Text& source, const Text& destination);

  // What the run shows, handed to the view.
  int MsgBox(const Text& text, int style, const std::optional<Text>& title) override;
  void SetStatusCaption(const Text& caption) override { view_.SetStatusCaption(caption); }
  void FocusDestinationBox() override { view_.FocusDestinationBox(); }
  void SetMousePointer(int pointer) override { view_.SetMousePointer(pointer); }
  void ReportProgress(int done, int total, const Text& fileName) override;
  void Warning(const Text& text) override;
  void Finding(const tq::Finding& finding) override;

 private:
  struct BrowserState {
    std::vector<char32_t> drives;
    int driveIndex = -1;
    std::optional<int> rememberedIndex;
    Text folder;
    std::vector<FolderEntry> entries;
  };

  BrowserState& State(Browser browser) { return browsers_[static_cast<std::size_t>(browser)]; }
  const BrowserState& State(Browser browser) const { return browsers_[static_cast<std::size_t>(browser)]; }
  void FillDrives(Browser browser);
  void DriveChange(Browser browser);
  bool SetFolderOfDrive(Browser browser, char32_t letter);
  // Shows the folder in the folder list: whether it differs from the one shown before, nothing
  // when there is no such folder.
  std::optional<bool> ShowFolder(Browser browser, const Text& path);
  void FolderChange(Browser browser);
  void RunGuarded();
  void ShowRunFindings();

  FormView& view_;
  Converter converter_;
  std::array<BrowserState, 2> browsers_;
  std::vector<Text> fileNames_;
  std::vector<tq::Finding> runFindings_;  // the warnings and errors of the run going on
  bool running_ = false;
};

}  // namespace tq
