// Choosing the Japanese user-interface font.
#include "app/ui_font.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include "form/ui_font_families.h"

namespace tq {

void UseJapaneseUiFont(QApplication& application) {
  const QStringList installed = QFontDatabase::families();
  for (const char* family : kJapaneseUiFontFamilies) {
    if (!installed.contains(QString::fromLatin1(family))) continue;
    application.setFont(QFont(QString::fromLatin1(family), kJapaneseUiFontPoints));
    return;
  }
}

}  // namespace tq
