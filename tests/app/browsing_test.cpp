// Browsing in Form1: the drive lists, the folder lists, the folder boxes and the file list.
#include <QLineEdit>
#include <QListWidget>
#include <QProxyStyle>
#include <QTest>
#include <QTreeWidgetItemIterator>
#include <filesystem>
#include <map>
#include <vector>

#include "app/drive_list.h"
#include "app/folder_list.h"
#include "app/qt_text.h"
#include "platform/file_system.h"
#include "window_fixture.h"

namespace tq::test {
namespace {

QStringList EntryPaths(const FolderList& folders) {
  QStringList paths;
  for (const Text& path : folders.EntryPaths()) paths << ToQString(path);
  return paths;
}

// Entries whose folder is not unfolded are not shown.
int ShownEntries(FolderList& folders) {
  int shown = 0;
  for (QTreeWidgetItemIterator it(&folders); *it != nullptr; ++it) {
    if (!folders.visualItemRect(*it).isEmpty()) ++shown;
  }
  return shown;
}

QTreeWidgetItem* EntryCaptioned(FolderList& folders, const QString& caption) {
  for (QTreeWidgetItemIterator it(&folders); *it != nullptr; ++it) {
    if ((*it)->text(0) == caption) return *it;
  }
  qFatal("no folder entry %s", qPrintable(caption));
}

// Through the window, as the platform delivers it: press and release twice.
void DoubleClick(FolderList& folders, QTreeWidgetItem* entry) {
  QWidget* viewport = folders.viewport();
  QPoint at = viewport->mapTo(folders.window(), folders.visualItemRect(entry).center());
  QTest::mouseDClick(folders.window()->windowHandle(), Qt::LeftButton, {}, at);
}

// A desktop set to open items with a single click, as some Linux desktops are.
class SingleClickStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_ItemView_ActivateItemOnSingleClick) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

QString BoxText(const QWidget& form, const char* name) { return Find<QLineEdit>(form, name)->text(); }

// T:\src holds convertible files among names that only look convertible.
void WriteSourceFolder(const WindowDrive& drive) {
  drive.WriteBoring("src/12345678.001", "12345678001");
  drive.WriteBoring("src/12345678.003", "12345678003");
  drive.WriteBoring("src/12345678.004", "12345678004");
  drive.WriteBoring("src/12345678.002", "12345678092");  // another identifier inside
  drive.WriteBoring("src/1234567a.001", "1234567a001");
  drive.WriteBoring("src/1234567.8001", "12345678001");
  drive.WriteBoring("src/123456789.01", "12345678901");
  drive.WriteBoring("src/12345678.0012", "123456780012");
  drive.WriteBoring("src/１2345678.001", "１2345678001");
  drive.Write("src/12345678.005", "");  // no record at all
  drive.Write("src/readme.txt", "x");
  drive.MakeFolder("src/99999999.999");
  drive.MakeFolder("src/sub");
  drive.MakeFolder("src/.hidden");
  drive.WriteBoring("11111111.111", "11111111111");
}

const QStringList kSourceFiles{"12345678.001", "12345678.003", "12345678.004"};

// Two more temporary folders as the drives U: and V:, next to T:.
class ExtraDrives {
 public:
  explicit ExtraDrives(TempDrive& first) {
    std::map<char32_t, std::string> roots{{U'T', first.Root().string()}};
    for (char32_t letter : {U'U', U'V'}) {
      std::filesystem::path root = first.Root().string() + "-" + static_cast<char>(letter);
      std::filesystem::create_directory(root);
      roots[letter] = root.string();
      roots_.push_back(root);
    }
    FileSystem fs(roots);
    fs.SetCurrentDrive(U'T');
    first.Files() = std::move(fs);
  }
  ~ExtraDrives() {
    Remove(U'U');
    Remove(U'V');
  }
  ExtraDrives(const ExtraDrives&) = delete;
  ExtraDrives& operator=(const ExtraDrives&) = delete;

  // Like a removable medium taken out.
  void Remove(char32_t letter) const {
    std::error_code ec;
    std::filesystem::remove_all(roots_[letter == U'U' ? 0 : 1], ec);
  }

 private:
  std::vector<std::filesystem::path> roots_;
};

}  // namespace

class BrowsingTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpShowsTheCurrentFolder_data();
  void startUpShowsTheCurrentFolder();
  void openingAFolderEntryChangesTheFolder_data();
  void openingAFolderEntryChangesTheFolder();
  void destinationListFillsTheDestinationBox();
  void fileListSelectsWithClickCtrlAndShift_data();
  void fileListSelectsWithClickCtrlAndShift();
  void driveListChangesTheFolderList();
  void driveThatCannotBeOpenedFallsBack();
  void driveWhoseCurrentFolderHasGoneShowsItsRoot();
  void startUpOnADriveThatCannotBeOpenedFallsBackToTheFirst();
};

void BrowsingTest::startUpShowsTheCurrentFolder_data() {
  QTest::addColumn<QString>("current");
  QTest::addColumn<QString>("destination");
  QTest::addColumn<QString>("source");
  QTest::addColumn<QStringList>("files");
  QTest::addColumn<QStringList>("entries");

  QTest::newRow("drive root") << "T:\\" << "T:\\" << "T:\\" << QStringList{"11111111.111"}
                              << QStringList{"T:\\", "T:\\patdat", "T:\\src", "T:\\sys"};
  QTest::newRow("folder") << "T:\\src" << "T:\\src" << "T:\\src\\" << kSourceFiles
                          << QStringList{"T:\\", "T:\\src", "T:\\src\\99999999.999", "T:\\src\\sub"};
}

void BrowsingTest::startUpShowsTheCurrentFolder() {
  QFETCH(QString, current);
  QFETCH(QString, destination);
  QFETCH(QString, source);
  QFETCH(QStringList, files);
  QFETCH(QStringList, entries);
  WindowDrive drive;
  WriteSourceFolder(drive);
  drive.Files().SetCurrentFolder(FromQString(current));

  ShownForm shown(drive);

  QCOMPARE(BoxText(shown.form, "Text1"), destination);
  QCOMPARE(BoxText(shown.form, "Text2"), source);
  QCOMPARE(FileListNames(shown.form), files);
  QCOMPARE(EntryPaths(*Find<FolderList>(shown.form, "Dir1")), entries);
  QCOMPARE(EntryPaths(*Find<FolderList>(shown.form, "Dir2")), entries);
  QCOMPARE(ShownEntries(*Find<FolderList>(shown.form, "Dir2")), entries.size());
}

void BrowsingTest::openingAFolderEntryChangesTheFolder_data() {
  QTest::addColumn<QString>("how");
  QTest::addColumn<bool>("opens");
  QTest::newRow("double-click") << "double-click" << true;
  QTest::newRow("Enter") << "Enter" << true;
  QTest::newRow("single click only selects") << "click" << false;
  QTest::newRow("single click only selects, on a single-click desktop") << "single-click desktop" << false;
  QTest::newRow("double-click, on a single-click desktop") << "double-click on a single-click desktop" << true;
}

void BrowsingTest::openingAFolderEntryChangesTheFolder() {
  QFETCH(QString, how);
  QFETCH(bool, opens);
  WindowDrive drive;
  WriteSourceFolder(drive);
  ShownForm shown(drive);
  auto* dir2 = Find<FolderList>(shown.form, "Dir2");
  SingleClickStyle singleClick;
  if (how.endsWith("single-click desktop")) dir2->setStyle(&singleClick);
  auto open = [&](const QString& caption) {
    QTreeWidgetItem* entry = EntryCaptioned(*dir2, caption);
    if (how.startsWith("double-click")) DoubleClick(*dir2, entry);
    if (how == "click" || how == "single-click desktop") {
      QTest::mouseClick(dir2->viewport(), Qt::LeftButton, {}, dir2->visualItemRect(entry).center());
    }
    if (how != "Enter") return;
    dir2->setCurrentItem(entry);
    QTest::keyClick(dir2, Qt::Key_Return);
  };

  open("src");

  if (!opens) {
    QCOMPARE(ToQString(dir2->Path()), Q("T:\\"));
    QCOMPARE(FileListNames(shown.form), QStringList{"11111111.111"});
    return;
  }
  QCOMPARE(ToQString(dir2->Path()), Q("T:\\src"));
  QCOMPARE(EntryPaths(*dir2), QStringList({"T:\\", "T:\\src", "T:\\src\\99999999.999", "T:\\src\\sub"}));
  QCOMPARE(BoxText(shown.form, "Text2"), Q("T:\\src\\"));
  QCOMPARE(FileListNames(shown.form), kSourceFiles);
  QCOMPARE(ToQString(shown.form.Engine().Files().CurrentFolder(U'T')), Q("T:\\src"));
  QCOMPARE(BoxText(shown.form, "Text1"), Q("T:\\"));

  open("sub");
  QCOMPARE(BoxText(shown.form, "Text2"), Q("T:\\src\\sub\\"));
  QVERIFY(FileListNames(shown.form).isEmpty());

  open("t:\\");
  QCOMPARE(BoxText(shown.form, "Text2"), Q("T:\\"));
  QCOMPARE(FileListNames(shown.form), QStringList{"11111111.111"});
}

void BrowsingTest::destinationListFillsTheDestinationBox() {
  WindowDrive drive;
  WriteSourceFolder(drive);
  ShownForm shown(drive);
  auto* dir1 = Find<FolderList>(shown.form, "Dir1");

  DoubleClick(*dir1, EntryCaptioned(*dir1, "src"));

  QCOMPARE(BoxText(shown.form, "Text1"), Q("T:\\src"));
  QCOMPARE(ToQString(shown.form.Engine().Files().CurrentFolder(U'T')), Q("T:\\src"));
  QCOMPARE(BoxText(shown.form, "Text2"), Q("T:\\"));
  QCOMPARE(FileListNames(shown.form), QStringList{"11111111.111"});
}

void BrowsingTest::fileListSelectsWithClickCtrlAndShift_data() {
  QTest::addColumn<QList<int>>("rows");
  QTest::addColumn<QList<int>>("modifiers");
  QTest::addColumn<QStringList>("selected");

  const int none = Qt::NoModifier;
  const int ctrl = Qt::ControlModifier;
  const int shift = Qt::ShiftModifier;
  QTest::newRow("click") << QList<int>{0} << QList<int>{none} << QStringList{"12345678.001"};
  QTest::newRow("second click replaces") << QList<int>{0, 2} << QList<int>{none, none}
                                         << QStringList{"12345678.004"};
  QTest::newRow("Ctrl adds") << QList<int>{0, 2} << QList<int>{none, ctrl}
                             << QStringList{"12345678.001", "12345678.004"};
  QTest::newRow("Ctrl removes") << QList<int>{0, 2, 0} << QList<int>{none, ctrl, ctrl}
                                << QStringList{"12345678.004"};
  QTest::newRow("Shift selects the range") << QList<int>{0, 2} << QList<int>{none, shift} << kSourceFiles;
}

void BrowsingTest::fileListSelectsWithClickCtrlAndShift() {
  QFETCH(QList<int>, rows);
  QFETCH(QList<int>, modifiers);
  QFETCH(QStringList, selected);
  WindowDrive drive;
  WriteSourceFolder(drive);
  drive.Files().SetCurrentFolder(U"T:\\src");
  ShownForm shown(drive);
  auto* list = Find<QListWidget>(shown.form, "List1");

  for (qsizetype i = 0; i < rows.size(); ++i) {
    QPoint at = list->visualItemRect(list->item(rows[i])).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::KeyboardModifiers(modifiers[i]), at);
  }

  QStringList names;
  for (const Text& name : shown.form.CollectSelectedFiles()) names << ToQString(name);
  QCOMPARE(names, selected);
}

void BrowsingTest::driveListChangesTheFolderList() {
  WindowDrive drive;
  ExtraDrives extra(drive);
  ShownForm shown(drive);
  auto* drive2 = Find<DriveList>(shown.form, "Drive2");

  drive2->SetListIndex(1);

  QCOMPARE(static_cast<int>(drive2->Drive()), static_cast<int>(U'U'));
  QCOMPARE(ToQString(Find<FolderList>(shown.form, "Dir2")->Path()), Q("U:\\"));
  QCOMPARE(BoxText(shown.form, "Text2"), Q("U:\\"));
  QCOMPARE(BoxText(shown.form, "Text1"), Q("T:\\"));
  QCOMPARE(static_cast<int>(shown.form.Engine().Files().CurrentDrive()), static_cast<int>(U'U'));
}

void BrowsingTest::driveThatCannotBeOpenedFallsBack() {
  WindowDrive drive;
  ExtraDrives extra(drive);
  ShownForm shown(drive);
  auto* drive2 = Find<DriveList>(shown.form, "Drive2");
  drive2->SetListIndex(1);
  extra.Remove(U'V');

  drive2->SetListIndex(2);

  QCOMPARE(drive2->ListIndex(), 1);
  QCOMPARE(ToQString(Find<FolderList>(shown.form, "Dir2")->Path()), Q("U:\\"));
  QCOMPARE(BoxText(shown.form, "Text2"), Q("U:\\"));
  QCOMPARE(static_cast<int>(shown.form.Engine().Files().CurrentDrive()), static_cast<int>(U'U'));
  QVERIFY(shown.boxes.shown.empty());
}

void BrowsingTest::driveWhoseCurrentFolderHasGoneShowsItsRoot() {
  WindowDrive drive;
  WriteSourceFolder(drive);
  ExtraDrives extra(drive);
  drive.Files().SetCurrentFolder(U"T:\\src\\sub");
  ShownForm shown(drive);
  auto* drive2 = Find<DriveList>(shown.form, "Drive2");
  drive2->SetListIndex(1);
  std::filesystem::remove(drive.Native("src/sub"));

  drive2->SetListIndex(0);

  QCOMPARE(drive2->ListIndex(), 0);
  QCOMPARE(BoxText(shown.form, "Text2"), Q("T:\\"));
  QCOMPARE(FileListNames(shown.form), QStringList{"11111111.111"});
}

void BrowsingTest::startUpOnADriveThatCannotBeOpenedFallsBackToTheFirst() {
  WindowDrive drive;
  WriteSourceFolder(drive);
  ExtraDrives extra(drive);
  drive.Files().SetCurrentDrive(U'U');
  ScriptedBoxes boxes;
  Form1 form(drive.Files(), &boxes);
  QCOMPARE(static_cast<int>(Find<DriveList>(form, "Drive1")->Drive()), static_cast<int>(U'U'));
  extra.Remove(U'U');

  QVERIFY(form.Form_Load());

  QCOMPARE(Find<DriveList>(form, "Drive1")->ListIndex(), 0);
  QCOMPARE(Find<DriveList>(form, "Drive2")->ListIndex(), 0);
  QCOMPARE(BoxText(form, "Text1"), Q("T:\\"));
  QCOMPARE(BoxText(form, "Text2"), Q("T:\\"));
  QCOMPARE(FileListNames(form), QStringList{"11111111.111"});
  QVERIFY(boxes.shown.empty());
}

}  // namespace tq::test

QTEST_MAIN(tq::test::BrowsingTest)
#include "browsing_test.moc"
