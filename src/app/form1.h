// Form1, the converter's Qt window: the folder boxes, the browsing controls, the file list and the buttons.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "form/form_logic.h"
#include "form/form_view.h"
#include "platform/file_system.h"
#include "platform/message_box.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace tq {

class BackgroundPicture;
class FindingsDialog;
class DriveList;
class FolderList;
class PathBox;
class QtMessageBoxes;

// The Qt view of the form logic: the slots keep the classic names and hand the events to it.
// Controls carry their names as object names.
class Form1 : public QWidget, public FormView {
  Q_OBJECT

 public:
  // The converter works through files. Message boxes go to boxes when one is given (tests
  // answer them), else to Qt message boxes.
  explicit Form1(FileSystem files = FileSystem::FromEnvironment(), MessageBoxes* boxes = nullptr);
  ~Form1() override;

  // Start-up; false when the program must end before the window is shown.
  bool Form_Load() { return logic_.Form_Load(); }

  Converter& Engine() { return logic_.Engine(); }
  FormLogic& Logic() { return logic_; }

  // The names of the selected entries of the file list, in list order.
  std::vector<Text> CollectSelectedFiles() const { return logic_.CollectSelectedFiles(); }

  Text BoxText(Box box) const override;
  void SetBoxText(Box box, const Text& text) override;
  void SetStatusCaption(const Text& caption) override;
  void FillDriveList(Browser browser, const std::vector<Text>& captions, int selected) override;
  void SelectDrive(Browser browser, int index) override;
  void FillFolderList(Browser browser, const std::vector<FolderEntry>& entries, int current) override;
  void FillFileList(const std::vector<Text>& names) override;
  std::vector<int> SelectedFiles() const override;
  void SelectFiles(const std::vector<int>& indices) override;
  void CentreOnScreen() override;
  void SetMousePointer(int pointer) override;
  void FocusDestinationBox() override;
  int ShowMessage(const Text& text, int style, const std::optional<Text>& title) override;
  void ShowProgress(int done, int total) override;
  void HideProgress() override;
  void Close() override { close(); }
  void DiscardPendingInput() override;
  void ShowFindings(const std::vector<Finding>& findings) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private slots:
  void Command1_Click() { logic_.Command1_Click(); }
  void Command2_Click() { logic_.Command2_Click(); }
  void Picture1_MouseMove() { logic_.Picture1_MouseMove(); }

 private:
  void BuildBackground();
  void BuildFolderBoxes();
  void BuildSourceGroup();
  void BuildDestinationGroup();
  void BuildMessageFrame();
  void BuildButtons();
  void ConnectHandlers();
  DriveList& DriveListOf(Browser browser) const;
  FolderList& FolderListOf(Browser browser) const;

  FormLogic logic_;
  std::unique_ptr<QtMessageBoxes> ownBoxes_;
  MessageBoxes& boxes_;
  bool busy_ = false;
  bool centredWithFrame_ = false;
  QPointer<FindingsDialog> findings_;  // the list of the last run's findings, while it is open

  BackgroundPicture* Picture1 = nullptr;
  QLabel* Label2 = nullptr;
  PathBox* Text2 = nullptr;
  QLabel* Label1 = nullptr;
  PathBox* Text1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  FolderList* Dir2 = nullptr;
  DriveList* Drive2 = nullptr;
  QListWidget* List1 = nullptr;
  QGroupBox* Frame1 = nullptr;
  FolderList* Dir1 = nullptr;
  DriveList* Drive1 = nullptr;
  QGroupBox* Frame3 = nullptr;
  QLabel* Label3 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
};

}  // namespace tq
