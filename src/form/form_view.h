// What the form logic needs of a window: its boxes, lists, caption, pointer, focus, message
// boxes and progress. The Qt window and the Win32 window each implement it.
#pragma once

#include <optional>
#include <vector>

#include "common/findings.h"
#include "common/text.h"

namespace tq {

// The two folder boxes.
enum class Box { kText1, kText2 };

// A drive list and the folder list below it: Drive1 and Dir1 choose the destination, Drive2 and
// Dir2 the source.
enum class Browser { kDestination, kSource };

enum class FolderIcon { kDrive, kOpenFolder, kClosedFolder };

// One line of a folder list: the drive root at depth 0, the folders down to the current one,
// then the current folder's subfolders one level deeper.
struct FolderEntry {
  Text caption;
  Text path;
  int depth = 0;
  FolderIcon icon = FolderIcon::kClosedFolder;

  bool operator==(const FolderEntry&) const = default;
};

class FormView {
 public:
  virtual ~FormView() = default;

  virtual Text BoxText(Box box) const = 0;
  virtual void SetBoxText(Box box, const Text& text) = 0;
  // Label3, painted at once: a run does not return to the event loop.
  virtual void SetStatusCaption(const Text& caption) = 0;

  // Fills a drive list and selects an entry; selecting raises no change.
  virtual void FillDriveList(Browser browser, const std::vector<Text>& captions, int selected) = 0;
  virtual void SelectDrive(Browser browser, int index) = 0;
  virtual void FillFolderList(Browser browser, const std::vector<FolderEntry>& entries, int current) = 0;
  // The file list List1; its selection is cleared by filling it.
  virtual void FillFileList(const std::vector<Text>& names) = 0;
  virtual std::vector<int> SelectedFiles() const = 0;  // entry indices, ascending
  virtual void SelectFiles(const std::vector<int>& indices) = 0;

  virtual void CentreOnScreen() = 0;
  virtual void SetMousePointer(int pointer) = 0;  // kPointerDefault or kPointerHourglass
  // Gives the destination box the focus, caret at its start, its whole text selected.
  virtual void FocusDestinationBox() = 0;
  // A modal message box; the title is the program's title when none is given.
  virtual int ShowMessage(const Text& text, int style, const std::optional<Text>& title) = 0;
  virtual void ShowProgress(int done, int total) = 0;
  virtual void HideProgress() = 0;
  virtual void Close() = 0;
  // Drops the clicks and keys the user gave while a run kept the window from reacting; the
  // handlers they reach meanwhile are ignored.
  virtual void DiscardPendingInput() = 0;
  // After a run: the list of its findings, sortable by each column, that the user can save as a
  // CSV file (findings_table.h).
  virtual void ShowFindings(const std::vector<Finding>& findings) = 0;
};

}  // namespace tq
