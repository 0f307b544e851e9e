// Message boxes of the window, shown as modal Qt message boxes.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/message_box.h"

namespace tq {

// Each style value names its icon and buttons (0 OK, 36 Yes/No with the question icon, 48 OK
// with the exclamation icon, 64 OK with the information icon); Yes and No answer 6 and 7.
class QtMessageBoxes : public MessageBoxes {
 public:
  explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}

  int MsgBox(const Text& text, int style, const std::optional<Text>& title) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace tq
