// A picture of the window after a conversion, written next to the build for a reviewer to look at.
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include "app/ui_font.h"
#include "platform/file_system.h"
#include "window_fixture.h"

namespace tq::test {

class WindowScreenshotTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { UseJapaneseUiFont(*qApp); }
  void captionsHaveAJapaneseFont();
  void writesTheWindowAfterAConversion();
};

void WindowScreenshotTest::captionsHaveAJapaneseFont() {
  const QString family = QApplication::font().family();
  if (!QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese)) {
    QFAIL(qPrintable("no Japanese font for the captions (" + family + "); install fonts-noto-cjk"));
  }
}

void WindowScreenshotTest::writesTheWindowAfterAConversion() {
  WindowDrive drive;
  drive.SetPatternSetting("C:\\patdat\\");
  drive.WriteBoring("borings/現場A/12345678.001", "12345678001");
  drive.WriteBoring("borings/現場A/12345678.002", "12345678002");
  drive.WriteBoring("borings/現場A/12345678.003", "12345678003");
  drive.MakeFolder("borings/現場A/旧データ");
  drive.MakeFolder("borings/現場B");
  drive.MakeFolder("Quillo");
  FileSystem fs({{U'C', drive.Root().string()}});
  fs.SetCurrentDrive(U'C');
  fs.SetCurrentFolder(U"C:\\borings\\現場A");
  drive.Files() = std::move(fs);
  ShownForm shown(drive);
  Find<QLineEdit>(shown.form, "Text1")->setText(Q("C:\\Quillo\\現場A"));
  SelectFiles(shown.form, {"12345678.001", "12345678.002"});
  shown.boxes.answers = {kAnswerYes};
  QTest::mouseClick(Find<QPushButton>(shown.form, "Command1"), Qt::LeftButton);
  QCOMPARE(Find<QLabel>(shown.form, "Label3")->text(), Q("変換が正常に終了しました。"));

  QPixmap picture = shown.form.grab();

  QVERIFY(!picture.isNull());
  QVERIFY(picture.save(QStringLiteral(TECRIS2QUILLO_SCREENSHOT)));
  qInfo("window picture: %s", TECRIS2QUILLO_SCREENSHOT);
}

}  // namespace tq::test

QTEST_MAIN(tq::test::WindowScreenshotTest)
#include "window_screenshot_test.moc"
