// The Execute command: converts the selected source files into the boring folders.
#pragma once

#include <cstdint>

#include "common/text.h"
#include "platform/message_box.h"

namespace tq {

inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerHourglass = 11;

inline const Text kCaptionConverting = U"只今変換中！　しばらくお待ちください。";
inline const Text kCaptionFinished = U"変換が正常に終了しました。";

// What the Execute command needs of the window.
class RunWindow : public MessageBoxes {
 public:
  virtual Text SourceFolderText() = 0;  // Text2
  virtual Text DestinationText() = 0;   // Text1
  virtual void SetStatusCaption(const Text& caption) = 0;  // Label3
  // Gives the destination box the focus, caret at its start, its whole text selected.
  virtual void FocusDestinationBox() = 0;
  virtual void SetMousePointer(int pointer) = 0;
  // The file list (List1): entries from 0.
  virtual int FileListCount() = 0;
  virtual bool FileListSelected(int index) = 0;
  virtual Text FileListItem(int index) = 0;
  // Called before each source file (done = files finished so far) and once after the last.
  virtual void ReportProgress(int done, int total, const Text& fileName) {
    (void)done, (void)total, (void)fileName;
  }
  // A failure that does not stop the run but that the user must hear of; each distinct
  // warning is given once per run.
  virtual void Warning(const Text& text) { (void)text; }
};

// How an Execute command ended.
enum class RunOutcome {
  kCompleted,        // every selected file converted, "変換が正常に終了しました。"
  kStoppedByCheck,   // a folder path, the create-folder question, or nothing selected
  kFileRefused,      // a source file without a usable boring identifier
  kConversionFailed  // a source file that cannot be read or converted, or an output not written
};

RunOutcome Command1_Click(RunWindow& window);

// 1 after a complete run until the pointer next moves over the window background.
std::int16_t& FinishedFlag();

}  // namespace tq
