// The folder list's entries and how opening one is reported.
#include "app/folder_list.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "app/qt_text.h"

namespace tq {
namespace {

QStyle::StandardPixmap IconOf(FolderIcon icon) {
  switch (icon) {
    case FolderIcon::kDrive: return QStyle::SP_DriveHDIcon;
    case FolderIcon::kOpenFolder: return QStyle::SP_DirOpenIcon;
    case FolderIcon::kClosedFolder: break;
  }
  return QStyle::SP_DirClosedIcon;
}

}  // namespace

FolderList::FolderList(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setExpandsOnDoubleClick(false);
  setUniformRowHeights(true);
  setIndentation(8);
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
  emit EntryOpened(item->data(0, Qt::UserRole).toInt());
}

// Each entry hangs below the last entry one level shallower, so the tree indents it by its depth.
void FolderList::Fill(const std::vector<FolderEntry>& entries, int current) {
  clear();
  entryPaths_.clear();
  path_.clear();
  std::vector<QTreeWidgetItem*> lastAtDepth;
  QTreeWidgetItem* currentItem = nullptr;
  for (const FolderEntry& entry : entries) {
    std::size_t depth = static_cast<std::size_t>(entry.depth);
    QTreeWidgetItem* parent = depth == 0 || depth > lastAtDepth.size() ? nullptr : lastAtDepth[depth - 1];
    QTreeWidgetItem* item = AddEntry(parent, entry);
    lastAtDepth.resize(depth + 1);
    lastAtDepth[depth] = item;
    if (static_cast<int>(entryPaths_.size()) - 1 == current) {
      currentItem = item;
      path_ = entry.path;
    }
  }
  expandAll();
  if (currentItem == nullptr) return;
  setCurrentItem(currentItem);
  scrollToItem(currentItem, QAbstractItemView::PositionAtTop);
}

QTreeWidgetItem* FolderList::AddEntry(QTreeWidgetItem* parent, const FolderEntry& entry) {
  auto* item = parent == nullptr ? new QTreeWidgetItem(this) : new QTreeWidgetItem(parent);
  item->setText(0, ToQString(entry.caption));
  item->setIcon(0, style()->standardIcon(IconOf(entry.icon)));
  item->setData(0, Qt::UserRole, static_cast<int>(entryPaths_.size()));
  entryPaths_.push_back(entry.path);
  return item;
}

}  // namespace tq
