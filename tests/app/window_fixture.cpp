// Window test helpers.
#include "window_fixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <cstdlib>

namespace tq::test {

int ScriptedBoxes::MsgBox(const Text& text, int style, const std::optional<Text>& title) {
  shown.push_back({text, style, title});
  if (whileShown) whileShown();
  if (style != kStyleYesNoQuestion) return kAnswerOk;
  if (answers.empty()) return kAnswerNo;
  int answer = answers.front();
  answers.pop_front();
  return answer;
}

WindowDrive::WindowDrive() {
  MakeFolder("sys");
  MakeFolder("patdat");
  SetPatternSetting("T:\\patdat\\");
  ::setenv("TECRIS2QUILLO_SYSDIR", Native("sys").c_str(), 1);
}

WindowDrive::~WindowDrive() { ::unsetenv("TECRIS2QUILLO_SYSDIR"); }

void WindowDrive::SetPatternSetting(const std::optional<std::string>& line2) const {
  if (!line2) {
    std::filesystem::remove(Native("sys/PatdatV5.ini"));
    return;
  }
  Write("sys/PatdatV5.ini", CrLf({"[PATDAT]", *line2}));
}

void WindowDrive::WriteBoring(const std::string& relative, const std::string& identifier) const {
  Write(relative, CrLf({"\"C\",\"" + identifier + "\",\"\",\"0\""}));
}

void WindowDrive::WriteOneFileRun() const {
  WriteBoring("12345678.001", "12345678001");
  MakeFolder("out");
}

ShownForm::ShownForm(const TempDrive& drive) : form(drive.Files(), &boxes) {
  if (!form.Form_Load()) qFatal("the window did not start");
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) qFatal("the window was not shown");
}

QString Q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

QStringList FileListNames(const QWidget& form) {
  auto* list = Find<QListWidget>(form, "List1");
  QStringList names;
  for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
  return names;
}

void SelectFiles(const QWidget& form, const QStringList& names) {
  auto* list = Find<QListWidget>(form, "List1");
  for (int i = 0; i < list->count(); ++i) list->item(i)->setSelected(names.contains(list->item(i)->text()));
}

void ChooseOneFileRun(const QWidget& form) {
  Find<QLineEdit>(form, "Text1")->setText("T:\\out");
  SelectFiles(form, {"12345678.001"});
}

}  // namespace tq::test
