// The folder path text box.
#include "app/path_box.h"

#include "app/qt_text.h"

namespace tq {

void PathBox::SetPath(const Text& path) {
  path_ = path;
  setText(ToQString(path));
}

Text PathBox::Path() const {
  if (text() == ToQString(path_)) return path_;
  return FromQString(text());
}

}  // namespace tq
