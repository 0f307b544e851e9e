// Texts of the program as the wide strings of the Win32 controls, and back.
#pragma once

#include <string>
#include <string_view>

#include "common/text.h"
#include "win32/windows_headers.h"

namespace tq::win32 {

inline std::wstring WideOf(const Text& text) { return Wide(ToUtf8(text)); }
inline Text TextOf(std::wstring_view wide) { return FromUtf8(Utf8(wide)); }

// The text of a window or control.
Text WindowText(HWND window);

}  // namespace tq::win32
