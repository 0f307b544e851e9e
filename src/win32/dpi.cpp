// Per-monitor scaling, looked up at run time so that the program also starts on older Windows.
#include "win32/dpi.h"

namespace tq::win32 {
namespace {

template <typename Function>
Function Lookup(const char* library, const char* name) {
  HMODULE module = ::GetModuleHandleA(library);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

const auto kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));

}  // namespace

void BecomeDpiAware() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  if (auto set = Lookup<SetContext>("user32.dll", "SetProcessDpiAwarenessContext")) {
    if (set(kPerMonitorAwareV2)) return;
  }
  ::SetProcessDPIAware();
}

UINT WindowDpi(HWND window) {
  using GetForWindow = UINT(WINAPI*)(HWND);
  if (auto get = Lookup<GetForWindow>("user32.dll", "GetDpiForWindow")) {
    if (UINT dpi = get(window); dpi != 0) return dpi;
  }
  HDC screen = ::GetDC(nullptr);
  int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

void AdjustForDpi(RECT& rectangle, DWORD style, UINT dpi) {
  using AdjustRect = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  if (auto adjust = Lookup<AdjustRect>("user32.dll", "AdjustWindowRectExForDpi")) {
    if (adjust(&rectangle, style, FALSE, 0, dpi)) return;
  }
  ::AdjustWindowRectEx(&rectangle, style, FALSE, 0);
}
}  // namespace tq::win32
