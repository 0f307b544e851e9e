// The Japanese user-interface font of the Win32 window.
#pragma once

#include "win32/windows_headers.h"

namespace tq::win32 {

// The first Japanese UI font installed, at 9 points for the dpi; the system's message font when
// none is.
HFONT CreateJapaneseUiFont(UINT dpi);

}  // namespace tq::win32
