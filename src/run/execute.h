// The Execute command: converts the selected source files into the boring folders.
#pragma once

#include "common/text.h"
#include "run/converter.h"
#include "run/run_observer.h"

namespace tq {

inline const Text kCaptionConverting = U"只今変換中！　しばらくお待ちください。";
inline const Text kCaptionFinished = U"変換が正常に終了しました。";

// How an Execute command ended.
enum class RunOutcome {
  kCompleted,        // every selected file converted, "変換が正常に終了しました。"
  kStoppedByCheck,   // a folder path, the create-folder question, or nothing selected
  kFileRefused,      // a source file without a usable boring identifier
  kConversionFailed  // a source file that cannot be read or converted, or an output not written
};

RunOutcome Command1_Click(Converter& converter, const RunRequest& request, RunObserver& observer);

}  // namespace tq
