// The window's Qt message boxes: icon, buttons, title and answer of each style value.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/qt_message_boxes.h"
#include "app/qt_text.h"
#include "window_fixture.h"

namespace tq::test {
namespace {

struct SeenBox {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title;
  QString text;
  QStringList buttons;
  bool arrowPointer = false;
};

// Waits for the modal box, records it and presses the button captioned press (Escape when empty).
void AnswerWhenShown(SeenBox& seen, const QString& press) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr) {
    QTimer::singleShot(10, qApp, [&seen, press] { AnswerWhenShown(seen, press); });
    return;
  }
  seen.icon = box->icon();
  seen.title = box->windowTitle();
  seen.text = box->text();
  const QCursor* cursor = QGuiApplication::overrideCursor();
  seen.arrowPointer = cursor == nullptr || cursor->shape() == Qt::ArrowCursor;
  for (QAbstractButton* button : box->buttons()) {
    seen.buttons << button->text();
    if (button->text() == press) QTimer::singleShot(0, button, &QAbstractButton::click);
  }
  if (press.isEmpty()) QTest::keyClick(box, Qt::Key_Escape);
}

}  // namespace

class QtMessageBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  void styleNamesIconButtonsAndAnswer_data();
  void styleNamesIconButtonsAndAnswer();
  void boxDuringARunShowsTheArrow();
};

void QtMessageBoxesTest::styleNamesIconButtonsAndAnswer_data() {
  QTest::addColumn<int>("style");
  QTest::addColumn<QString>("title");  // empty: none given
  QTest::addColumn<QString>("press");  // empty: Escape
  QTest::addColumn<int>("icon");
  QTest::addColumn<QStringList>("buttons");
  QTest::addColumn<int>("answer");
  QTest::addColumn<QString>("shownTitle");

  const QString program = Q("TECRIS -> Quillo 変換プログラム");
  const QStringList ok{"OK"};
  const QStringList yesNo{Q("はい(&Y)"), Q("いいえ(&N)")};
  QTest::newRow("0: OK, no icon") << 0 << "" << "OK" << int(QMessageBox::NoIcon) << ok << 1 << program;
  QTest::newRow("48: exclamation, titled") << 48 << "T:\\src\\" << "OK" << int(QMessageBox::Warning) << ok << 1
                                           << "T:\\src\\";
  QTest::newRow("64: information") << 64 << "" << "OK" << int(QMessageBox::Information) << ok << 1 << program;
  QTest::newRow("36: Yes") << 36 << "" << Q("はい(&Y)") << int(QMessageBox::Question) << yesNo << 6 << program;
  QTest::newRow("36: No") << 36 << "" << Q("いいえ(&N)") << int(QMessageBox::Question) << yesNo << 7 << program;
  QTest::newRow("36: Escape answers No") << 36 << "" << "" << int(QMessageBox::Question) << yesNo << 7 << program;
}

void QtMessageBoxesTest::styleNamesIconButtonsAndAnswer() {
  QFETCH(int, style);
  QFETCH(QString, title);
  QFETCH(QString, press);
  QFETCH(int, icon);
  QFETCH(QStringList, buttons);
  QFETCH(int, answer);
  QFETCH(QString, shownTitle);
  QtMessageBoxes boxes;
  SeenBox seen;
  QTimer::singleShot(0, qApp, [&seen, press] { AnswerWhenShown(seen, press); });

  std::optional<Text> givenTitle;
  if (!title.isEmpty()) givenTitle = FromQString(title);
  QCOMPARE(boxes.MsgBox(U"指定されたパスは正しくありません。", style, givenTitle), answer);

  QCOMPARE(int(seen.icon), icon);
  QCOMPARE(seen.buttons, buttons);
  QCOMPARE(seen.title, shownTitle);
  QCOMPARE(seen.text, Q("指定されたパスは正しくありません。"));
}

void QtMessageBoxesTest::boxDuringARunShowsTheArrow() {
  QtMessageBoxes boxes;
  SeenBox seen;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  QTimer::singleShot(0, qApp, [&seen] { AnswerWhenShown(seen, "OK"); });

  boxes.MsgBox(U"変換元ファイルが選択されていません。", 0, std::nullopt);

  QVERIFY(seen.arrowPointer);
  QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QGuiApplication::restoreOverrideCursor();
}

}  // namespace tq::test

QTEST_MAIN(tq::test::QtMessageBoxesTest)
#include "qt_message_boxes_test.moc"
