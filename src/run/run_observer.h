// What the Execute command is asked to do, and what it tells the front end while it runs.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/findings.h"
#include "common/text.h"
#include "platform/message_box.h"

namespace tq {

inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerHourglass = 11;

// The inputs of one Execute command, as the window's boxes and file list hold them.
struct RunRequest {
  Text sourceFolder;        // Text2
  Text destination;         // Text1
  std::vector<Text> files;  // the selected file names, in list order
};

// What became of one source file of a run.
struct SourceFileReport {
  Text source;                // the file name as selected
  Text boring;                // its boring identifier; empty when none was read
  std::vector<Text> written;  // the output files put in place in its boring folder
  std::vector<tq::Finding> findings;
};

// What a front end shows of a run. Every method does nothing by default; an unanswered message
// box is answered OK, and the create-folder question No, so nothing is created unasked.
class RunObserver : public MessageBoxes {
 public:
  int MsgBox(const Text& text, int style, const std::optional<Text>& title) override {
    (void)text, (void)title;
    return style == kStyleYesNoQuestion ? kAnswerNo : kAnswerOk;
  }
  virtual void SetStatusCaption(const Text& caption) { (void)caption; }  // Label3
  virtual void SetMousePointer(int pointer) { (void)pointer; }
  // Gives the destination box the focus, caret at its start, its whole text selected.
  virtual void FocusDestinationBox() {}
  // Called before each source file (done = files finished so far) and once after the last.
  virtual void ReportProgress(int done, int total, const Text& fileName) { (void)done, (void)total, (void)fileName; }
  // A failure that does not stop the run but that the user must hear of; each distinct
  // warning is given once per run.
  virtual void Warning(const Text& text) { (void)text; }
  // The run waits for another converter (text says who and how long); the caption shows it
  // until the run sets the caption again.
  virtual void Waiting(const Text& text) { SetStatusCaption(text); }
  // Each finding of a source file, once the file is done (converted, or stopped).
  virtual void Finding(const tq::Finding& finding) { (void)finding; }
  // After the findings of each source file that the run took up, converted or not.
  virtual void SourceFileDone(const SourceFileReport& report) { (void)report; }
};

}  // namespace tq
