// The folder list's entries and how opening one changes its path.
#include "app/folder_list.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "app/drive_list.h"
#include "app/qt_text.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace tq {
namespace {

constexpr std::size_t kRootLength = 3;  // "T:\"

Text Canonical(const Text& path) {
  if (path.size() > kRootLength && EndsWith(path, U"\\")) return path.substr(0, path.size() - 1);
  return path;
}

std::vector<Text> FoldersBelowRoot(const Text& path) {
  std::vector<Text> names;
  Text name;
  for (char32_t c : TextView(path).substr(std::min(path.size(), kRootLength))) {
    if (c != U'\\') {
      name += c;
      continue;
    }
    if (!name.empty()) names.push_back(name);
    name.clear();
  }
  if (!name.empty()) names.push_back(name);
  return names;
}

}  // namespace

FolderList::FolderList(QWidget* parent, const FileSystem& files) : QTreeWidget(parent), files_(files) {
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setExpandsOnDoubleClick(false);
  setUniformRowHeights(true);
  setIndentation(8);
  SetPath(files_.CurrentFolder(files_.CurrentDrive()));
}

bool FolderList::SetPath(const Text& path) {
  Text folder = Canonical(path);
  if (folder.size() < kRootLength || !files_.IsFolder(folder)) return false;
  bool changed = folder != path_;
  path_ = folder;
  Fill();
  if (changed) emit PathChanged();
  return true;
}

bool FolderList::SetDrive(char32_t letter) {
  Text current = files_.CurrentFolder(letter);
  if (SetPath(current)) return true;
  return SetPath(current.substr(0, kRootLength));
}

// Every entry stays unfolded, so there are no fold markers to draw.
void FolderList::drawBranches(QPainter*, const QRect&, const QModelIndex&) const {}

// Opening is bound to the double-click and the Enter key themselves rather than to Qt's item
// activation, which some desktops raise on a single click: there a click would open a folder
// and a double-click would open one of its subfolders as well.
void FolderList::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeWidgetItem* item = event->button() == Qt::LeftButton ? itemAt(event->position().toPoint()) : nullptr;
  if (item == nullptr) {
    QTreeWidget::mouseDoubleClickEvent(event);
    return;
  }
  OpenEntry(item);
  event->accept();
}

void FolderList::keyPressEvent(QKeyEvent* event) {
  bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter || currentItem() == nullptr) {
    QTreeWidget::keyPressEvent(event);
    return;
  }
  OpenEntry(currentItem());
  event->accept();
}

void FolderList::OpenEntry(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  std::size_t index = item->data(0, Qt::UserRole).toULongLong();
  if (index >= entryPaths_.size()) return;
  Text path = entryPaths_[index];  // a copy: filling the list anew drops the entries
  SetPath(path);
}

void FolderList::Fill() {
  clear();
  entryPaths_.clear();
  Text folder = path_.substr(0, kRootLength);
  Text rootCaption = Text(1, DriveLetterCaption(folder[0])) + U":\\";
  QTreeWidgetItem* entry = AddEntry(nullptr, rootCaption, folder, QStyle::SP_DriveHDIcon);
  for (const Text& name : FoldersBelowRoot(path_)) {
    folder = JoinPath(folder, name);
    entry = AddEntry(entry, name, folder, QStyle::SP_DirOpenIcon);
  }
  QTreeWidgetItem* current = entry;
  for (const Text& name : files_.ListFolders(path_)) {
    AddEntry(current, name, JoinPath(path_, name), QStyle::SP_DirClosedIcon);
  }
  expandAll();
  setCurrentItem(current);
  scrollToItem(current, QAbstractItemView::PositionAtTop);
}

QTreeWidgetItem* FolderList::AddEntry(QTreeWidgetItem* parent, const Text& caption, const Text& path,
                                      QStyle::StandardPixmap icon) {
  auto* item = parent == nullptr ? new QTreeWidgetItem(this) : new QTreeWidgetItem(parent);
  item->setText(0, ToQString(caption));
  item->setIcon(0, style()->standardIcon(icon));
  item->setData(0, Qt::UserRole, QVariant::fromValue<qulonglong>(entryPaths_.size()));
  entryPaths_.push_back(path);
  return item;
}

}  // namespace tq
