// Helpers for the window tests: scripted message boxes, a temporary drive with a pattern setting,
// boring files and access to Form1's controls by name.
#pragma once

#include <QString>
#include <QWidget>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/message_box.h"
#include "support/test_support.h"

namespace tq::test {

// Answers message boxes from a script and records what they said.
class ScriptedBoxes : public MessageBoxes {
 public:
  struct Shown {
    Text text;
    int style;
    std::optional<Text> title;
  };

  std::deque<int> answers;  // answers to Yes/No questions, in order; No when none is left
  std::vector<Shown> shown;
  std::function<void()> whileShown;  // runs while each box is "open"

  int MsgBox(const Text& text, int style, const std::optional<Text>& title) override;
};

// The temporary drive T: with a pattern data folder T:\patdat\ named by the setting file in
// T:\sys, the configuration folder.
class WindowDrive : public TempDrive {
 public:
  WindowDrive();
  ~WindowDrive();
  WindowDrive(const WindowDrive&) = delete;
  WindowDrive& operator=(const WindowDrive&) = delete;

  // The setting file's second line; without a value the file is removed.
  void SetPatternSetting(const std::optional<std::string>& line2) const;
  // A source file whose first record carries identifier; it holds an empty section C.
  void WriteBoring(const std::string& relative, const std::string& identifier) const;
  // T:\12345678.001 and the destination folder T:\out, for a run of one file.
  void WriteOneFileRun() const;
};

// Form1 on the drive's file system after a successful start-up, shown on the screen; its
// message boxes are scripted.
struct ShownForm {
  explicit ShownForm(const TempDrive& drive);
  ScriptedBoxes boxes;
  Form1 form;
};

// A control of the window by its name.
template <typename Control>
Control* Find(const QWidget& form, const char* name) {
  auto* control = form.findChild<Control*>(QString::fromLatin1(name));
  if (control == nullptr) qFatal("no control %s", name);
  return control;
}

QString Q(std::string_view utf8);

// The names in the file list.
QStringList FileListNames(const QWidget& form);
// Selects the file list's entries with these names, and only those.
void SelectFiles(const QWidget& form, const QStringList& names);
// Chooses the run of WriteOneFileRun: destination T:\out, 12345678.001 selected.
void ChooseOneFileRun(const QWidget& form);

}  // namespace tq::test
