// Modal Qt message boxes for the style values the engine uses.
#include "app/qt_message_boxes.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include "app/qt_text.h"

namespace tq {
namespace {

QMessageBox::Icon IconOf(int style) {
  switch (style) {
    case kStyleYesNoQuestion: return QMessageBox::Question;
    case kStyleOkExclamation: return QMessageBox::Warning;
    case kStyleOkInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

// A run shows the hourglass over the window; its message boxes must still show the arrow.
class ArrowWhileOpen {
 public:
  ArrowWhileOpen() : active_(QGuiApplication::overrideCursor() != nullptr) {
    if (active_) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~ArrowWhileOpen() {
    if (active_) QGuiApplication::restoreOverrideCursor();
  }
  ArrowWhileOpen(const ArrowWhileOpen&) = delete;
  ArrowWhileOpen& operator=(const ArrowWhileOpen&) = delete;

 private:
  bool active_;
};

int AskYesNo(QMessageBox& box) {
  QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes ? kAnswerYes : kAnswerNo;
}

int Acknowledge(QMessageBox& box) {
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
  return kAnswerOk;
}

}  // namespace

int QtMessageBoxes::MsgBox(const Text& text, int style, const std::optional<Text>& title) {
  QMessageBox box(IconOf(style), ToQString(title.value_or(kProgramTitle)), ToQString(text), QMessageBox::NoButton,
                  parent_.data());
  box.setTextFormat(Qt::PlainText);
  ArrowWhileOpen arrow;
  if (style == kStyleYesNoQuestion) return AskYesNo(box);
  return Acknowledge(box);
}

}  // namespace tq
