// tecris2quillo-gui: the converter's window.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/form1.h"
#include "app/ui_font.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Qt's own texts (the text boxes' context menus) in Japanese, like the rest of the window.
  QTranslator qtTexts;
  if (qtTexts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    application.installTranslator(&qtTexts);
  }
  tq::UseJapaneseUiFont(application);
  tq::Form1 form;
  if (!form.Form_Load()) return 1;
  form.show();
  return application.exec();
}
