// A drive list: the drives the form logic hands it, one of them selected.
#pragma once

#include <QComboBox>
#include <vector>

#include "common/text.h"

namespace tq {

// Each entry's caption begins with its drive letter. Selecting another entry, by the user or by
// SetListIndex, emits currentIndexChanged: the drive list's change. Fill and Select do not.
class DriveList : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveList(QWidget* parent) : QComboBox(parent) {}

  void Fill(const std::vector<Text>& captions, int selected);
  void Select(int index);

  char32_t Drive() const;
  int ListIndex() const { return currentIndex(); }
  void SetListIndex(int index) { setCurrentIndex(index); }
};

}  // namespace tq
