// A picture of a window as the screen shows it, saved as a PNG file.
#pragma once

#include <string>

#include "win32/windows_headers.h"

namespace tq::win32 {

// Through GDI+, which every Windows has; loaded only when a picture is asked for.
bool SaveWindowPicture(HWND window, const std::wstring& pngPath);

}  // namespace tq::win32
