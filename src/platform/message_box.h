// Modal message boxes as the engine asks for them; each front end answers them its own way.
#pragma once

#include <optional>

#include "common/text.h"

namespace tq {

// Style values of the classic message box: buttons plus icon.
inline constexpr int kStyleOkOnly = 0;
inline constexpr int kStyleYesNoQuestion = 36;
inline constexpr int kStyleOkExclamation = 48;
inline constexpr int kStyleOkInformation = 64;

// Button values a message box returns.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// The program's default message box title: the window caption.
inline const Text kProgramTitle = U"TECRIS -> Quillo 変換プログラム";

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows text with the given style; the title is the program's title when none is given.
  // Returns the button pressed.
  virtual int MsgBox(const Text& text, int style, const std::optional<Text>& title) = 0;
};

}  // namespace tq
