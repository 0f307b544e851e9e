// Choosing the Japanese user-interface font.
#include "app/ui_font.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace tq {
namespace {

// The classic window was drawn in a 9-point Japanese UI font; these come closest, in order.
const char* const kPreferredFamilies[] = {
    "MS UI Gothic", "Meiryo UI", "Yu Gothic UI", "Noto Sans CJK JP", "Noto Sans JP", "Source Han Sans JP",
    "IPAexGothic",  "IPAPGothic", "IPAGothic",    "TakaoPGothic",     "VL PGothic",   "VL Gothic",
};
constexpr int kPointSize = 9;

}  // namespace

void UseJapaneseUiFont(QApplication& application) {
  const QStringList installed = QFontDatabase::families();
  for (const char* family : kPreferredFamilies) {
    if (!installed.contains(QString::fromLatin1(family))) continue;
    application.setFont(QFont(QString::fromLatin1(family), kPointSize));
    return;
  }
}

}  // namespace tq
