// The drive list's entries.
#include "app/drive_list.h"

#include <QSignalBlocker>

#include "app/qt_text.h"

namespace tq {

void DriveList::Fill(const std::vector<Text>& captions, int selected) {
  QSignalBlocker quiet(this);
  clear();
  for (const Text& caption : captions) addItem(ToQString(caption));
  setCurrentIndex(selected);
}

void DriveList::Select(int index) {
  QSignalBlocker quiet(this);
  setCurrentIndex(index);
}

char32_t DriveList::Drive() const {
  QString caption = currentText();
  if (caption.isEmpty()) return 0;
  return caption.at(0).toUpper().unicode();
}

}  // namespace tq
