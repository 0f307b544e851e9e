// A text box for a folder path that hands back exactly the path it was given.
#pragma once

#include <QLineEdit>

#include "common/text.h"

namespace tq {

// Folder names that are not valid UTF-8 carry bytes that a QString cannot hold; as long as
// the user has not edited the box, the path put into it is handed back unchanged.
class PathBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit PathBox(QWidget* parent) : QLineEdit(parent) {}

  void SetPath(const Text& path);
  Text Path() const;

 private:
  Text path_;
};

}  // namespace tq
