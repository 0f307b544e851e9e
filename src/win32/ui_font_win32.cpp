// Choosing the Japanese user-interface font.
#include "win32/ui_font_win32.h"

#include <string>

#include "form/ui_font_families.h"

namespace tq::win32 {
namespace {

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool IsInstalled(HDC screen, const char* family) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::wstring name = Wide(family);
  name.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  ::EnumFontFamiliesExW(screen, &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace

HFONT CreateJapaneseUiFont(UINT dpi) {
  HDC screen = ::GetDC(nullptr);
  LOGFONTW font{};
  for (const char* family : kJapaneseUiFontFamilies) {
    if (!IsInstalled(screen, family)) continue;
    Wide(family).copy(font.lfFaceName, LF_FACESIZE - 1);
    break;
  }
  ::ReleaseDC(nullptr, screen);
  if (font.lfFaceName[0] == 0) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font = metrics.lfMessageFont;
  }
  font.lfHeight = -::MulDiv(kJapaneseUiFontPoints, static_cast<int>(dpi), 72);
  font.lfWidth = 0;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  return ::CreateFontIndirectW(&font);
}

}  // namespace tq::win32
