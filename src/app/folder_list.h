// A folder list: the folders from the drive root down to the current one, then its subfolders.
#pragma once

#include <QStyle>
#include <QTreeWidget>
#include <vector>

#include "common/text.h"
#include "platform/file_system.h"

namespace tq {

// Its path is "T:\" for a drive root and "T:\a\b" for any other folder. Opening an entry
// (double-click or Enter) makes that entry's folder the path; a single click only selects it,
// also on desktops set to open items with a single click.
class FolderList : public QTreeWidget {
  Q_OBJECT

 public:
  FolderList(QWidget* parent, const FileSystem& files);

  const Text& Path() const { return path_; }
  // Shows the folder and emits PathChanged when it differs from the one shown before; false,
  // with nothing changed, when there is no such folder.
  bool SetPath(const Text& path);
  // The drive's current folder, or its root when that folder has gone.
  bool SetDrive(char32_t letter);
  // The folders the entries stand for, in the order shown.
  const std::vector<Text>& EntryPaths() const { return entryPaths_; }

 signals:
  void PathChanged();

 protected:
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OpenEntry(QTreeWidgetItem* item);
  void Fill();
  QTreeWidgetItem* AddEntry(QTreeWidgetItem* parent, const Text& caption, const Text& path,
                            QStyle::StandardPixmap icon);

  const FileSystem& files_;
  Text path_;
  std::vector<Text> entryPaths_;
};

}  // namespace tq
