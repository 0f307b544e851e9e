// What Form1 shows of a run while it goes on.
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>

#include "app/findings_dialog.h"
#include "app/form1.h"
#include "app/path_box.h"
#include "app/qt_text.h"
#include "run/run_observer.h"

namespace tq {

// A run goes on after its boxes without returning to the event loop, so the part of the window
// a box covered is painted again at once rather than left blank until the run ends.
int Form1::ShowMessage(const Text& text, int style, const std::optional<Text>& title) {
  int answer = boxes_.MsgBox(text, style, title);
  if (isVisible()) repaint();
  return answer;
}

// The run does not return to the event loop, so the caption is painted at once.
void Form1::SetStatusCaption(const Text& caption) {
  Label3->setText(ToQString(caption));
  Label3->repaint();
}

void Form1::FocusDestinationBox() {
  Text1->setFocus(Qt::OtherFocusReason);
  qsizetype length = Text1->text().size();
  Text1->setSelection(static_cast<int>(length), -static_cast<int>(length));
}

// The override cursor shows at once over every control, without waiting for a pointer move.
void Form1::SetMousePointer(int pointer) {
  bool busy = pointer == kPointerHourglass;
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    return;
  }
  QGuiApplication::restoreOverrideCursor();
}

// Painted at once, like the caption.
void Form1::ShowProgress(int done, int total) {
  ProgressBar1->setRange(0, total);
  ProgressBar1->setValue(done);
  ProgressBar1->show();
  ProgressBar1->repaint();
}

void Form1::HideProgress() { ProgressBar1->hide(); }

// The list stays open beside the window, so the user can look at the outputs while reading it;
// a later run's list replaces it.
void Form1::ShowFindings(const std::vector<Finding>& findings) {
  if (findings_) findings_->close();
  findings_ = new FindingsDialog(findings, this);
  findings_->setAttribute(Qt::WA_DeleteOnClose);
  findings_->show();
}

}  // namespace tq
