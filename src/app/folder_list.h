// A folder list: the entries the form logic hands it, indented by their depth.
#pragma once

#include <QStyle>
#include <QTreeWidget>
#include <vector>

#include "common/text.h"
#include "form/form_view.h"

namespace tq {

// Opening an entry (double-click or Enter) emits EntryOpened; a single click only selects it,
// also on desktops set to open items with a single click.
class FolderList : public QTreeWidget {
  Q_OBJECT

 public:
  explicit FolderList(QWidget* parent);

  void Fill(const std::vector<FolderEntry>& entries, int current);
  // The folder of the current entry: "T:\" for a drive root, "T:\a\b" for any other.
  const Text& Path() const { return path_; }
  // The folders the entries stand for, in the order shown.
  const std::vector<Text>& EntryPaths() const { return entryPaths_; }

 signals:
  void EntryOpened(int entry);

 protected:
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OpenEntry(QTreeWidgetItem* item);
  QTreeWidgetItem* AddEntry(QTreeWidgetItem* parent, const FolderEntry& entry);

  Text path_;
  std::vector<Text> entryPaths_;
};

}  // namespace tq
