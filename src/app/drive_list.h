// A drive list: the drives of the file system, one of them selected.
#pragma once

#include <QComboBox>
#include <vector>

#include "common/text.h"
#include "platform/file_system.h"

namespace tq {

// A drive letter as the drive and folder lists show it: in lower case, as Windows shows it.
inline char32_t DriveLetterCaption(char32_t letter) {
  return (letter >= U'A' && letter <= U'Z') ? letter - U'A' + U'a' : letter;
}

// Shows the drives as "t: [native root]" and starts at the current drive. Selecting another
// entry, by the user or by SetListIndex, emits currentIndexChanged: the drive list's change.
class DriveList : public QComboBox {
  Q_OBJECT

 public:
  DriveList(QWidget* parent, const FileSystem& files);

  char32_t Drive() const;
  int ListIndex() const { return currentIndex(); }
  void SetListIndex(int index) { setCurrentIndex(index); }

 private:
  const FileSystem& files_;
  std::vector<char32_t> drives_;
};

}  // namespace tq
