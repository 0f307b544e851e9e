// Form1, the converter's window: the folder boxes, the browsing controls, the file list and the buttons.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "platform/file_system.h"
#include "run/converter.h"
#include "run/run_observer.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace tq {

class BackgroundPicture;
class DriveList;
class FolderList;
class PathBox;
class QtMessageBoxes;

// A thin layer over the engine: the handlers keep the classic names and hand the work to it.
// Controls carry their names as object names. The window keeps one converter for its lifetime.
class Form1 : public QWidget, public RunObserver {
  Q_OBJECT

 public:
  // The converter works through files. Message boxes go to boxes when one is given (tests
  // answer them), else to Qt message boxes.
  explicit Form1(FileSystem files = FileSystem::FromEnvironment(), MessageBoxes* boxes = nullptr);
  ~Form1() override;

  // Start-up; false when the program must end before the window is shown.
  bool Form_Load();

  Converter& Engine() { return converter_; }

  // The names of the selected entries of the file list, in list order.
  std::vector<Text> CollectSelectedFiles() const;

  int MsgBox(const Text& text, int style, const std::optional<Text>& title) override;
  void SetStatusCaption(const Text& caption) override;
  void FocusDestinationBox() override;
  void SetMousePointer(int pointer) override;
  void ReportProgress(int done, int total, const Text& fileName) override;
  void Warning(const Text& text) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private slots:
  void Command1_Click();
  void Command2_Click();
  void Picture1_MouseMove();
  void Drive1_Change();
  void Drive2_Change();
  void Dir1_Change();
  void Dir2_Change();

 private:
  void BuildBackground();
  void BuildFolderBoxes();
  void BuildSourceGroup();
  void BuildDestinationGroup();
  void BuildMessageFrame();
  void BuildButtons();
  void ConnectHandlers();
  void CentreOnScreen();
  void ChangeDrive(DriveList& drive, FolderList& folders, std::optional<int>& rememberedIndex);

  Converter converter_;
  std::unique_ptr<QtMessageBoxes> ownBoxes_;
  MessageBoxes& boxes_;
  bool busy_ = false;
  bool centredWithFrame_ = false;
  std::optional<int> drive1Index_;
  std::optional<int> drive2Index_;

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
