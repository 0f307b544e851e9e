// Saving a window's picture with the flat GDI+ interface.
#include "win32/screenshot_win32.h"

namespace tq::win32 {
namespace {

struct StartupInput {
  UINT32 version = 1;
  void* debugCallback = nullptr;
  BOOL suppressBackgroundThread = FALSE;
  BOOL suppressExternalCodecs = FALSE;
};

using Startup = int(WINAPI*)(ULONG_PTR*, const StartupInput*, void*);
using Shutdown = void(WINAPI*)(ULONG_PTR);
using FromBitmap = int(WINAPI*)(HBITMAP, HPALETTE, void**);
using SaveToFile = int(WINAPI*)(void*, const wchar_t*, const CLSID*, const void*);
using Dispose = int(WINAPI*)(void*);

constexpr CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

template <typename Function>
Function Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// The screen's pixels under the window, frame and caption included.
HBITMAP CopyOfScreen(HWND window) {
  RECT outer{};
  ::GetWindowRect(window, &outer);
  int width = outer.right - outer.left;
  int height = outer.bottom - outer.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP picture = ::CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = ::SelectObject(memory, picture);
  ::BitBlt(memory, 0, 0, width, height, screen, outer.left, outer.top, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return picture;
}

}  // namespace

bool SaveWindowPicture(HWND window, const std::wstring& pngPath) {
  HMODULE gdiplus = ::LoadLibraryW(L"gdiplus.dll");
  if (gdiplus == nullptr) return false;
  auto startup = Entry<Startup>(gdiplus, "GdiplusStartup");
  auto shutdown = Entry<Shutdown>(gdiplus, "GdiplusShutdown");
  auto fromBitmap = Entry<FromBitmap>(gdiplus, "GdipCreateBitmapFromHBITMAP");
  auto save = Entry<SaveToFile>(gdiplus, "GdipSaveImageToFile");
  auto dispose = Entry<Dispose>(gdiplus, "GdipDisposeImage");
  ULONG_PTR token = 0;
  StartupInput input;
  bool saved = false;
  if (startup && shutdown && fromBitmap && save && dispose && startup(&token, &input, nullptr) == 0) {
    HBITMAP picture = CopyOfScreen(window);
    void* image = nullptr;
    if (fromBitmap(picture, nullptr, &image) == 0) {
      saved = save(image, pngPath.c_str(), &kPngEncoder, nullptr) == 0;
      dispose(image);
    }
    ::DeleteObject(picture);
    shutdown(token);
  }
  ::FreeLibrary(gdiplus);
  return saved;
}

}  // namespace tq::win32
