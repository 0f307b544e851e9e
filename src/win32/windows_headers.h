// The Windows headers the window needs, in the order they need: windows.h before the rest.
#pragma once

// clang-format off
#include "platform/win32.h"
#include <commctrl.h>
#include <shellapi.h>
// clang-format on
