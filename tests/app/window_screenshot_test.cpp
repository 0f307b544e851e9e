// A picture of the window after a conversion, written next to the build for a reviewer to look at.
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

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

// The example borings and pattern data folder in a folder whose name means nothing beyond the
// picture, shown as drive C: (the drive list shows the folder); the setting is in its hidden
// .config. Test runs of other build folders take turns through a lock.
class DemoFolder {
 public:
  DemoFolder() : lock_(::open("/tmp/tecris2quillo-demo.lock", O_CREAT | O_RDWR, 0666)) {
    if (lock_ < 0 || ::flock(lock_, LOCK_EX) != 0) qFatal("cannot lock the demo folder");
    std::filesystem::remove_all(kRoot);
    std::filesystem::create_directories(kRoot / "Quillo");
    std::filesystem::copy(TECRIS2QUILLO_EXAMPLES "/borings", kRoot / "borings");
    std::filesystem::copy(TECRIS2QUILLO_EXAMPLES "/patdat", kRoot / "patdat");
    std::filesystem::create_directories(kRoot / ".config");
    std::ofstream(kRoot / ".config/PatdatV5.ini", std::ios::binary) << "[PATDAT]\r\nC:\\patdat\\\r\n";
    ::setenv("TECRIS2QUILLO_SYSDIR", (kRoot / ".config").c_str(), 1);
    ::setenv("TECRIS2QUILLO_PROGRAM_FOLDER", kRoot.c_str(), 1);
  }
  ~DemoFolder() {
    ::unsetenv("TECRIS2QUILLO_SYSDIR");
    ::unsetenv("TECRIS2QUILLO_PROGRAM_FOLDER");
    std::filesystem::remove_all(kRoot);
    ::close(lock_);
  }
  DemoFolder(const DemoFolder&) = delete;
  DemoFolder& operator=(const DemoFolder&) = delete;

  inline static const std::filesystem::path kRoot = "/tmp/demo";

 private:
  int lock_;
};

void WindowScreenshotTest::writesTheWindowAfterAConversion() {
  DemoFolder demo;
  FileSystem fs({{U'C', DemoFolder::kRoot.string()}});
  fs.SetCurrentDrive(U'C');
  fs.SetCurrentFolder(U"C:\\borings");
  TempDrive drive;
  drive.Files() = std::move(fs);
  ShownForm shown(drive);
  Find<QLineEdit>(shown.form, "Text1")->setText(Q("C:\\Quillo"));
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
