// Form1's event handlers: start-up, Execute, exit, the background and the browsing controls.
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <exception>

#include "app/drive_list.h"
#include "app/folder_list.h"
#include "app/form1.h"
#include "app/path_box.h"
#include "app/qt_text.h"
#include "patterns/pattern_settings.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "run/execute.h"
#include "run/file_list.h"

namespace tq {
namespace {

inline const Text kUnexpectedFailureMessage = U"予期しないエラーのため変換を中止しました。";

}  // namespace

bool Form1::Form_Load() {
  CentreOnScreen();
  if (!LoadPatternFolder(converter_.Patterns(), boxes_)) return false;
  converter_.FinishedFlag() = 0;
  Drive1_Change();
  Drive2_Change();
  Dir1_Change();
  Dir2_Change();
  return true;
}

// The window's position is that of its frame, so the frame's size is what is centred. Window
// systems tell the frame's size only once the window is shown: the start-up centring uses what
// is known then, and the first show centres again with the real frame.
void Form1::CentreOnScreen() {
  QRect area = screen()->geometry();
  QSize outer = frameGeometry().size();
  move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

void Form1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (centredWithFrame_) return;
  centredWithFrame_ = true;
  QTimer::singleShot(0, this, [this] { CentreOnScreen(); });
}

void Form1::Command1_Click() {
  try {
    tq::Command1_Click(converter_, RunRequest{Text2->Path(), Text1->Path(), CollectSelectedFiles()}, *this);
  } catch (const std::exception&) {
    // The engine reports every failure it knows itself; this keeps the window usable after
    // one it does not know.
    SetMousePointer(kPointerDefault);
    SetStatusCaption(Text());
    MsgBox(kUnexpectedFailureMessage, kStyleOkExclamation, std::nullopt);
  }
  ProgressBar1->hide();
}

void Form1::Command2_Click() { close(); }

void Form1::Picture1_MouseMove() {
  if (converter_.FinishedFlag() != 1) return;
  Label3->clear();
  converter_.FinishedFlag() = 0;
}

void Form1::Drive1_Change() { ChangeDrive(*Drive1, *Dir1, drive1Index_); }

void Form1::Drive2_Change() { ChangeDrive(*Drive2, *Dir2, drive2Index_); }

void Form1::ChangeDrive(DriveList& drive, FolderList& folders, std::optional<int>& rememberedIndex) {
  if (!folders.SetDrive(drive.Drive())) {
    // A drive that cannot be opened: back to the drive chosen before (the first one when there
    // was none), which raises this change again for that drive.
    drive.SetListIndex(rememberedIndex.value_or(0));
  }
  rememberedIndex = drive.ListIndex();
  converter_.Files().SetCurrentDrive(drive.Drive());
}

void Form1::Dir1_Change() {
  Text1->SetPath(Dir1->Path());
  converter_.Files().SetCurrentFolder(Dir1->Path());
}

void Form1::Dir2_Change() {
  const Text& folder = Dir2->Path();
  converter_.Files().SetCurrentFolder(folder);
  List1->clear();
  Text2->SetPath(WithBackslash(folder));
  for (const Text& name : ListConvertibleFiles(converter_.Files(), folder)) List1->addItem(ToQString(name));
}

}  // namespace tq
