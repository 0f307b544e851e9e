// Dots per inch of the monitor a window stands on, and positions in twips scaled to them.
#pragma once

#include "win32/windows_headers.h"

namespace tq::win32 {

// The classic form's positions are in twips, 1440 to the inch.
inline int Pixels(int twips, UINT dpi) { return ::MulDiv(twips, static_cast<int>(dpi), 1440); }

// Makes the process aware of each monitor's own scale where Windows can (10 version 1703 on),
// else of the system's; older systems scale the window themselves.
void BecomeDpiAware();
UINT WindowDpi(HWND window);
// The window rectangle around a client rectangle at the dpi.
void AdjustForDpi(RECT& rectangle, DWORD style, UINT dpi);

}  // namespace tq::win32
