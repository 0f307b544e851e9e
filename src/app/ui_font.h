// The program's Japanese user-interface font.
#pragma once

class QApplication;

namespace tq {

// Makes a Japanese UI font the application font when one is installed, so that kanji take
// their Japanese shapes and every caption is legible; otherwise the system's font stays.
void UseJapaneseUiFont(QApplication& application);

}  // namespace tq
