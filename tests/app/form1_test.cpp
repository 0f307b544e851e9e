// Form1: start-up, the Execute button with its messages, the end message, exit and the keyboard.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "app/qt_text.h"
#include "patterns/pattern_settings.h"
#include "platform/file_system.h"
#include "window_fixture.h"

namespace tq::test {
namespace {

// Records the caption each time the status label is painted.
class PaintedCaptions : public QObject {
 public:
  explicit PaintedCaptions(QLabel* label) : label_(label) { label->installEventFilter(this); }
  QStringList captions;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == label_ && event->type() == QEvent::Paint) captions << label_->text();
    return false;
  }

 private:
  QLabel* label_;
};

bool PointerIsBusy() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}

QPoint CentreInWindow(const QWidget& form, const QWidget& control) {
  return control.mapTo(&form, control.rect().center());
}

}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  void startUpChecksThePatternSetting_data();
  void startUpChecksThePatternSetting();
  void startUpCentresTheWindow();
  void executeStopsWithTheCheckMessages_data();
  void executeStopsWithTheCheckMessages();
  void executeConvertsTheSelectedFiles();
  void windowIsPaintedAgainAfterABoxDuringARun();
  void progressShowsDuringARunOfSeveralFiles();
  void warningsOfARunAreShown();
  void findingsAreListedAfterARunWithWarnings_data();
  void findingsAreListedAfterARunWithWarnings();
  void clicksGivenDuringARunDoNotStartAnotherAfterIt();
  void endMessageClearsOverTheBackgroundOnly_data();
  void endMessageClearsOverTheBackgroundOnly();
  void exitEndsTheProgram_data();
  void exitEndsTheProgram();
  void enterStartsARunOnlyOnTheExecuteButton_data();
  void enterStartsARunOnlyOnTheExecuteButton();
  void tabOrderFollowsTheLayout();
};

void Form1Test::startUpChecksThePatternSetting_data() {
  QTest::addColumn<bool>("settingFile");
  QTest::addColumn<QString>("setting");
  QTest::addColumn<bool>("starts");

  QTest::newRow("no setting file") << false << QString() << false;
  QTest::newRow("empty second line") << true << QString() << false;
  QTest::newRow("folder that does not exist") << true << "T:\\nothing\\" << false;
  QTest::newRow("existing folder") << true << "T:\\patdat\\" << true;
  QTest::newRow("existing file, found like a folder") << true << "T:\\patfile\\" << true;
  QTest::newRow("native path") << true << "NATIVE" << true;
}

void Form1Test::startUpChecksThePatternSetting() {
  QFETCH(bool, settingFile);
  QFETCH(QString, setting);
  QFETCH(bool, starts);
  WindowDrive drive;
  drive.Write("patfile", "x");
  if (setting == "NATIVE") setting = QString::fromStdString(drive.Native("patdat").string() + "/");
  drive.SetPatternSetting(settingFile ? std::optional<std::string>(setting.toStdString()) : std::nullopt);
  ScriptedBoxes boxes;
  Form1 form(drive.Files(), &boxes);
  form.Engine().FinishedFlag() = 1;
  QCOMPARE(form.Form_Load(), starts);

  QVERIFY(!form.isVisible());
  if (!starts) {
    QCOMPARE(boxes.shown.size(), 1u);
    QStringList lines = ToQString(boxes.shown[0].text).split(QLatin1Char('\n'));
    // A folder that the setting names but that does not exist is named on a line of its own.
    QCOMPARE(lines.size(), setting.isEmpty() ? 2 : 3);
    QCOMPARE(lines[0], Q(" PATDAT の設定がありません."));
    if (!setting.isEmpty()) QVERIFY2(lines[1].contains(setting), qPrintable(lines[1]));
    const QString& hint = lines.last();
    QVERIFY2(hint.contains(QString::fromStdString(drive.Native("sys/PatdatV5.ini").string())), qPrintable(hint));
    QVERIFY2(hint.contains(Q("tecris2quillo setup --pattern-folder フォルダ")), qPrintable(hint));
    QCOMPARE(boxes.shown[0].style, kStyleOkOnly);
    QVERIFY(!boxes.shown[0].title.has_value());
    return;
  }
  QVERIFY(boxes.shown.empty());
  QCOMPARE(ToQString(form.Engine().Patterns().Folder()), setting);
  QCOMPARE(form.Engine().FinishedFlag(), 0);
  QCOMPARE(Find<QLineEdit>(form, "Text1")->text(), Q("T:\\"));
  QCOMPARE(Find<QLineEdit>(form, "Text2")->text(), Q("T:\\"));
}

void Form1Test::startUpCentresTheWindow() {
  WindowDrive drive;
  ScriptedBoxes boxes;
  Form1 form(drive.Files(), &boxes);
  QVERIFY(form.Form_Load());
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QRect screen = form.screen()->geometry();
  QTRY_VERIFY((form.frameGeometry().center() - screen.center()).manhattanLength() <= 1);
  QVERIFY(form.frameGeometry().size() != form.size());  // the check is not only of the inner size
}

void Form1Test::executeStopsWithTheCheckMessages_data() {
  QTest::addColumn<QString>("source");
  QTest::addColumn<QString>("destination");
  QTest::addColumn<bool>("select");
  QTest::addColumn<int>("boxCount");
  QTest::addColumn<QString>("message");
  QTest::addColumn<int>("style");
  QTest::addColumn<QString>("title");  // empty: the program's title
  QTest::addColumn<bool>("busyDuringBox");
  QTest::addColumn<bool>("destinationFocused");

  const QString invalidPath = Q("指定されたパスは正しくありません。");
  QTest::newRow("source with a wildcard")
      << "T:\\src\\*"
      << "T:\\out" << true << 1 << invalidPath << 48 << "T:\\src\\*" << false << false;
  QTest::newRow("source without a drive, after the drive message")
      << "src"
      << "T:\\out" << true << 2 << invalidPath << 48 << "src" << false << false;
  QTest::newRow("destination with a doubled backslash")
      << ""
      << "T:\\out\\\\x" << true << 1 << invalidPath << 48 << "T:\\out\\\\x\\" << false << true;
  QTest::newRow("destination ending with a backslash")
      << ""
      << "T:\\out\\" << true << 1 << Q("最後のフォルダに「￥」は要りません。") << 48 << "T:\\out\\" << false << false;
  QTest::newRow("missing destination, not created")
      << ""
      << "T:\\new\\out" << true << 1 << Q("フォルダがありません。新規作成しますか？") << 36 << "" << false << false;
  QTest::newRow("no file selected") << ""
                                    << "T:\\out" << false << 1 << Q("変換元ファイルが選択されていません。") << 0 << ""
                                    << true << false;
  QTest::newRow("selected file without an identifier of eleven characters")
      << ""
      << "T:\\out" << true << 1 << Q("指定されたﾌｧｲﾙは正しくありません") << 0 << "" << true << false;
}

void Form1Test::executeStopsWithTheCheckMessages() {
  QFETCH(QString, source);
  QFETCH(QString, destination);
  QFETCH(bool, select);
  QFETCH(int, boxCount);
  QFETCH(QString, message);
  QFETCH(int, style);
  QFETCH(QString, title);
  QFETCH(bool, busyDuringBox);
  QFETCH(bool, destinationFocused);
  WindowDrive drive;
  drive.WriteBoring("12345678.001", "12345678001");
  drive.MakeFolder("out");
  ShownForm shown(drive);
  Form1& form = shown.form;
  auto* text1 = Find<QLineEdit>(form, "Text1");
  if (!source.isEmpty()) Find<QLineEdit>(form, "Text2")->setText(source);
  text1->setText(destination);
  if (select) SelectFiles(form, {"12345678.001"});
  // Listed when the folder was read, changed since: its identifier is now too short.
  if (message.contains(Q("ﾌｧｲﾙ"))) drive.WriteBoring("12345678.001", "1234567800");
  form.Engine().FinishedFlag() = 1;

  PaintedCaptions painted(Find<QLabel>(form, "Label3"));
  bool busyAtBox = false;
  bool captionPaintedAtBox = false;
  shown.boxes.whileShown = [&] {
    busyAtBox = PointerIsBusy();
    captionPaintedAtBox = painted.captions.contains(QStringLiteral("只今変換中！　しばらくお待ちください。"));
  };
  QTest::mouseClick(Find<QPushButton>(form, "Command1"), Qt::LeftButton);

  QCOMPARE(static_cast<int>(shown.boxes.shown.size()), boxCount);
  const ScriptedBoxes::Shown& last = shown.boxes.shown.back();
  // The classic text stands on the first line; a detail line may follow it.
  QCOMPARE(ToQString(last.text).section('\n', 0, 0), message);
  QCOMPARE(last.style, style);
  QCOMPARE(last.title.has_value() ? ToQString(*last.title) : QString(), title);
  QCOMPARE(busyAtBox, busyDuringBox);
  QVERIFY(captionPaintedAtBox);
  QCOMPARE(Find<QLabel>(form, "Label3")->text(), QString());
  QVERIFY(QGuiApplication::overrideCursor() == nullptr);
  QCOMPARE(form.Engine().FinishedFlag(), 1);
  QVERIFY(!drive.Exists("new"));
  QVERIFY(!drive.Exists("out/12345678001"));
  QCOMPARE(form.focusWidget() == text1, destinationFocused);
  if (!destinationFocused) return;
  QCOMPARE(text1->selectedText(), destination);
  QCOMPARE(text1->cursorPosition(), 0);
}

void Form1Test::executeConvertsTheSelectedFiles() {
  WindowDrive drive;
  for (const char* name : {"12345678001", "12345678002", "12345678003"}) {
    std::string file(name);
    drive.WriteBoring("src/" + file.substr(0, 8) + "." + file.substr(8), file);
  }
  drive.Files().SetCurrentFolder(U"T:\\src");
  ShownForm shown(drive);
  Form1& form = shown.form;
  QCOMPARE(FileListNames(form), QStringList({"12345678.001", "12345678.002", "12345678.003"}));
  Find<QLineEdit>(form, "Text1")->setText("T:\\out\\run");
  SelectFiles(form, {"12345678.001", "12345678.003"});
  shown.boxes.answers = {kAnswerYes};

  QTest::mouseClick(Find<QPushButton>(form, "Command1"), Qt::LeftButton);

  QCOMPARE(shown.boxes.shown.size(), 1u);
  QCOMPARE(ToQString(shown.boxes.shown[0].text),
           Q("フォルダがありません。新規作成しますか？\n作成するフォルダ: T:\\out\\run"));
  QVERIFY(drive.Exists("out/run/12345678001/X5.txt"));
  QVERIFY(drive.Exists("out/run/12345678003/X5.txt"));
  QVERIFY(!drive.Exists("out/run/12345678002"));
  QCOMPARE(Find<QLabel>(form, "Label3")->text(), Q("変換が正常に終了しました。"));
  QCOMPARE(form.Engine().FinishedFlag(), 1);
  QVERIFY(QGuiApplication::overrideCursor() == nullptr);
  QVERIFY(Find<QProgressBar>(form, "ProgressBar1")->isHidden());
}

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

}  // namespace

// The run does not return to the event loop, so what a box covered is painted again at once
// when the box closes; otherwise that part of the window stays blank until the run ends.
void Form1Test::windowIsPaintedAgainAfterABoxDuringARun() {
  WindowDrive drive;
  drive.WriteBoring("12345678.001", "12345678001");
  drive.Files().SetCurrentFolder(U"T:\\src");
  ShownForm shown(drive);
  Form1& form = shown.form;
  Find<QLineEdit>(form, "Text1")->setText("T:\\new");
  SelectFiles(form, {"12345678.001"});
  PaintCounter counter;
  form.installEventFilter(&counter);
  QCoreApplication::processEvents();
  int paintsWhileAsked = -1;
  shown.boxes.answers = {kAnswerYes};
  shown.boxes.whileShown = [&] { paintsWhileAsked = counter.paints; };

  QVERIFY(QMetaObject::invokeMethod(&form, "Command1_Click", Qt::DirectConnection));

  QVERIFY(paintsWhileAsked >= 0);
  QVERIFY(counter.paints > paintsWhileAsked);
  QVERIFY(drive.Exists("new/12345678001/X5.txt"));
}

void Form1Test::warningsOfARunAreShown() {
  WindowDrive drive;
  // A new soil name is learnt, but the pattern-added marker cannot be created.
  drive.Write("src/12345678.001",
              CrLf({"\"A\",\"12345678001\",\"\"", "\"X\",\"\",\"\",\"1\"", "\"X\",\"1\",\"\",\"2.0\",\"砂\",\"\""}));
  drive.MakeFolder("out");
  ::setenv("TECRIS2QUILLO_PROGRAM_FOLDER", drive.Native("no/such/folder").c_str(), 1);
  drive.Files().SetCurrentFolder(U"T:\\src");
  ShownForm shown(drive);
  Form1& form = shown.form;
  Find<QLineEdit>(form, "Text1")->setText("T:\\out");
  SelectFiles(form, {"12345678.001"});

  QTest::mouseClick(Find<QPushButton>(form, "Command1"), Qt::LeftButton);
  ::unsetenv("TECRIS2QUILLO_PROGRAM_FOLDER");

  QCOMPARE(shown.boxes.shown.size(), 1u);
  QCOMPARE(shown.boxes.shown[0].style, kStyleOkExclamation);
  QVERIFY(ToQString(shown.boxes.shown[0].text).contains("PATADD.txt"));
  QVERIFY(drive.Exists("out/12345678001/X1.txt"));
  QCOMPARE(Find<QLabel>(form, "Label3")->text(), Q("変換が正常に終了しました。"));
}

void Form1Test::findingsAreListedAfterARunWithWarnings_data() {
  QTest::addColumn<QString>("nValue");
  QTest::addColumn<int>("rows");

  QTest::newRow("N values that are not numbers") << "x50" << 9;
  QTest::newRow("clean run") << "50" << 0;
}

// Nine rows, so that the line column sorted as text would put line 9 before line 10.
void Form1Test::findingsAreListedAfterARunWithWarnings() {
  QFETCH(QString, nValue);
  QFETCH(int, rows);
  WindowDrive drive;
  std::vector<std::string> lines{R"("C","12345678001","","9")"};
  for (int i = 1; i <= 9; ++i)
    lines.push_back(R"("C","1",")" + std::to_string(i) + R"(","1.15",")" + nValue.toStdString() + R"(","30")");
  drive.Write("12345678.001", CrLf(lines));
  drive.MakeFolder("out");
  ShownForm shown(drive);
  Form1& form = shown.form;
  ChooseOneFileRun(form);

  QTest::mouseClick(Find<QPushButton>(form, "Command1"), Qt::LeftButton);

  QCOMPARE(Find<QLabel>(form, "Label3")->text(), Q("変換が正常に終了しました。"));
  auto* dialog = form.findChild<QDialog*>("FindingsDialog");
  QCOMPARE(dialog != nullptr, rows > 0);
  if (dialog == nullptr) return;
  QVERIFY(dialog->isVisible());
  auto* table = Find<QTableWidget>(*dialog, "FindingsTable");
  QCOMPARE(table->rowCount(), rows);
  QCOMPARE(table->item(0, 0)->text(), "12345678.001");
  table->sortByColumn(1, Qt::DescendingOrder);
  QCOMPARE(table->item(0, 1)->text(), "10");
  QVERIFY2(table->item(0, 4)->text().contains("x50"), qPrintable(table->item(0, 4)->text()));
}

// The clicks wait in the event queue while the run keeps the window from reacting; when it ends
// they are dropped instead of starting the same run again.
void Form1Test::clicksGivenDuringARunDoNotStartAnotherAfterIt() {
  WindowDrive drive;
  drive.WriteBoring("12345678.001", "12345678001");
  ShownForm shown(drive);
  Form1& form = shown.form;
  Find<QLineEdit>(form, "Text1")->setText("T:\\new");
  SelectFiles(form, {"12345678.001"});
  auto* command1 = Find<QPushButton>(form, "Command1");
  PaintedCaptions painted(Find<QLabel>(form, "Label3"));
  shown.boxes.answers = {kAnswerYes};
  shown.boxes.whileShown = [&] {
    QPointF centre = QRectF(command1->rect()).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QCoreApplication::postEvent(command1, new QMouseEvent(type, centre, command1->mapToGlobal(centre), Qt::LeftButton,
                                                            Qt::LeftButton, Qt::NoModifier));
    }
  };

  QTest::mouseClick(command1, Qt::LeftButton);
  QCoreApplication::processEvents();

  QCOMPARE(shown.boxes.shown.size(), 1u);
  QCOMPARE(painted.captions.count(QStringLiteral("只今変換中！　しばらくお待ちください。")), 1);
  QVERIFY(drive.Exists("new/12345678001/X5.txt"));
  QCOMPARE(Find<QLabel>(form, "Label3")->text(), Q("変換が正常に終了しました。"));
}

void Form1Test::progressShowsDuringARunOfSeveralFiles() {
  WindowDrive drive;
  drive.WriteBoring("12345678.001", "12345678001");
  drive.WriteBoring("12345678.002", "12345678002");
  drive.WriteBoring("12345678.003", "12345678003");
  drive.MakeFolder("out");
  ShownForm shown(drive);
  Form1& form = shown.form;
  Find<QLineEdit>(form, "Text1")->setText("T:\\out");
  SelectFiles(form, {"12345678.001", "12345678.002", "12345678.003"});
  drive.WriteBoring("12345678.003", "1234567800");  // refused when its turn comes
  auto* progress = Find<QProgressBar>(form, "ProgressBar1");
  QVERIFY(progress->isHidden());
  bool shownAtBox = false;
  shown.boxes.whileShown = [&] {
    shownAtBox = progress->isVisible();
    QCOMPARE(progress->value(), 2);
    QCOMPARE(progress->maximum(), 3);
  };

  QTest::mouseClick(Find<QPushButton>(form, "Command1"), Qt::LeftButton);

  QCOMPARE(shown.boxes.shown.size(), 1u);
  QVERIFY(shownAtBox);
  QVERIFY(progress->isHidden());
  QVERIFY(drive.Exists("out/12345678002"));
}

void Form1Test::endMessageClearsOverTheBackgroundOnly_data() {
  QTest::addColumn<QString>("over");
  QTest::addColumn<bool>("clears");

  QTest::newRow("background corner") << "Picture1" << true;
  QTest::newRow("background between the frames") << "gap" << true;
  QTest::newRow("Execute button") << "Command1" << false;
  QTest::newRow("exit button") << "Command2" << false;
  QTest::newRow("file list") << "List1" << false;
  QTest::newRow("source folder list") << "Dir2" << false;
  QTest::newRow("destination box") << "Text1" << false;
  QTest::newRow("label") << "Label2" << false;
  QTest::newRow("message frame") << "Frame3" << false;
}

void Form1Test::endMessageClearsOverTheBackgroundOnly() {
  QFETCH(QString, over);
  QFETCH(bool, clears);
  WindowDrive drive;
  drive.WriteOneFileRun();
  ShownForm shown(drive);
  Form1& form = shown.form;
  ChooseOneFileRun(form);
  QTest::mouseClick(Find<QPushButton>(form, "Command1"), Qt::LeftButton);
  auto* label3 = Find<QLabel>(form, "Label3");
  QCOMPARE(label3->text(), Q("変換が正常に終了しました。"));

  QPoint point(4, 4);
  if (over == "gap") point = QPoint(393, 200);
  if (over != "Picture1" && over != "gap") {
    point = CentreInWindow(form, *Find<QWidget>(form, over.toLatin1().constData()));
  }
  QTest::mouseMove(form.windowHandle(), point);

  QCOMPARE(label3->text().isEmpty(), clears);
  QCOMPARE(form.Engine().FinishedFlag(), clears ? 0 : 1);
}

void Form1Test::exitEndsTheProgram_data() {
  QTest::addColumn<bool>("closeBox");
  QTest::newRow("exit button") << false;
  QTest::newRow("close box") << true;
}

void Form1Test::exitEndsTheProgram() {
  QFETCH(bool, closeBox);
  WindowDrive drive;
  ShownForm shown(drive);
  Form1& form = shown.form;
  bool stillRunning = false;
  QTimer guard;
  guard.setSingleShot(true);
  connect(&guard, &QTimer::timeout, qApp, [&] {
    stillRunning = true;
    QCoreApplication::quit();
  });
  guard.start(5000);
  QTimer::singleShot(0, &form, [&] {
    if (closeBox) {
      form.close();
      return;
    }
    QTest::mouseClick(Find<QPushButton>(form, "Command2"), Qt::LeftButton);
  });

  QApplication::exec();

  QVERIFY(!stillRunning);
  QVERIFY(!form.isVisible());
}

void Form1Test::enterStartsARunOnlyOnTheExecuteButton_data() {
  QTest::addColumn<QString>("focused");
  QTest::addColumn<bool>("runs");
  QTest::newRow("file list") << "List1" << false;
  QTest::newRow("source folder list") << "Dir2" << false;
  QTest::newRow("destination box") << "Text1" << false;
  QTest::newRow("Execute button") << "Command1" << true;
}

void Form1Test::enterStartsARunOnlyOnTheExecuteButton() {
  QFETCH(QString, focused);
  QFETCH(bool, runs);
  WindowDrive drive;
  drive.WriteOneFileRun();
  ShownForm shown(drive);
  Form1& form = shown.form;
  ChooseOneFileRun(form);
  auto* control = Find<QWidget>(form, focused.toLatin1().constData());
  form.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  control->setFocus();

  QTest::keyClick(control, Qt::Key_Return);

  QCOMPARE(drive.Exists("out/12345678001"), runs);
  QCOMPARE(Find<QLabel>(form, "Label3")->text().isEmpty(), !runs);
}

void Form1Test::tabOrderFollowsTheLayout() {
  WindowDrive drive;
  ShownForm shown(drive);
  Form1& form = shown.form;
  form.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  Find<QWidget>(form, "Text2")->setFocus();

  QStringList order{QApplication::focusWidget()->objectName()};
  for (int i = 0; i < 9; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order << QApplication::focusWidget()->objectName();
  }

  QCOMPARE(order, QStringList({"Text2", "Text1", "Dir2", "Drive2", "List1", "Dir1", "Drive1", "Command1", "Command2",
                               "Text2"}));
}

}  // namespace tq::test

QTEST_MAIN(tq::test::Form1Test)
#include "form1_test.moc"
