// The drive list's entries.
#include "app/drive_list.h"

#include <algorithm>

#include "app/qt_text.h"
#include "platform/file_system.h"

namespace tq {
namespace {

// The native root in brackets stands where a Windows drive list shows the volume label.
QString EntryOf(const FileSystem& files, char32_t letter) {
  Text entry = Text(1, DriveLetterCaption(letter)) + U":";
  std::optional<std::string> root = files.NativePath(entry + U"\\");
  if (root) entry += U" [" + FromUtf8(*root) + U"]";
  return ToQString(entry);
}

}  // namespace

DriveList::DriveList(QWidget* parent, const FileSystem& files)
    : QComboBox(parent), files_(files), drives_(files.Drives()) {
  for (char32_t letter : drives_) addItem(EntryOf(files, letter));
  auto current = std::find(drives_.begin(), drives_.end(), files.CurrentDrive());
  if (current != drives_.end()) setCurrentIndex(static_cast<int>(current - drives_.begin()));
}

char32_t DriveList::Drive() const {
  int index = currentIndex();
  if (index < 0) return files_.CurrentDrive();
  return drives_[static_cast<std::size_t>(index)];
}

}  // namespace tq
