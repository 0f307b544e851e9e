// Form1's place on the screen and what the form logic shows in its boxes and lists.
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTimer>

#include "app/drive_list.h"
#include "app/folder_list.h"
#include "app/form1.h"
#include "app/path_box.h"
#include "app/qt_text.h"

namespace tq {

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

Text Form1::BoxText(Box box) const { return (box == Box::kText1 ? Text1 : Text2)->Path(); }

void Form1::SetBoxText(Box box, const Text& text) { (box == Box::kText1 ? Text1 : Text2)->SetPath(text); }

void Form1::FillDriveList(Browser browser, const std::vector<Text>& captions, int selected) {
  DriveListOf(browser).Fill(captions, selected);
}

void Form1::SelectDrive(Browser browser, int index) { DriveListOf(browser).Select(index); }

void Form1::FillFolderList(Browser browser, const std::vector<FolderEntry>& entries, int current) {
  FolderListOf(browser).Fill(entries, current);
}

void Form1::FillFileList(const std::vector<Text>& names) {
  List1->clear();
  for (const Text& name : names) List1->addItem(ToQString(name));
}

std::vector<int> Form1::SelectedFiles() const {
  std::vector<int> indices;
  for (int i = 0; i < List1->count(); ++i) {
    if (List1->item(i)->isSelected()) indices.push_back(i);
  }
  return indices;
}

void Form1::SelectFiles(const std::vector<int>& indices) {
  List1->clearSelection();
  for (int index : indices) {
    if (index >= 0 && index < List1->count()) List1->item(index)->setSelected(true);
  }
}

// The events that waited during the run reach handlers that the running form logic ignores.
void Form1::DiscardPendingInput() { QCoreApplication::processEvents(); }

}  // namespace tq
