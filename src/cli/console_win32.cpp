// The command line's console on Windows: UTF-16 arguments, console and code page 932 output.
#include "platform/win32.h"

#include <io.h>
#include <shellapi.h>

#include "cli/console.h"
#include "common/text.h"

namespace tq {
namespace {

HANDLE HandleOf(std::FILE* stream) { return reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream))); }

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return ::GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

const char kFolderHelp[] =
    "フォルダは Windows のパス（C:\\データ\\現場A や ..\\出力）で指定します。\n";
const char kSettingFileHelp[] =
    "設定ファイルは TECRIS2QUILLO_SYSDIR、なければ %APPDATA%\\tecris2quillo のフォルダの\n"
    "PatdatV5.ini です。\n";

std::vector<std::string> CommandLineArguments(int, char**) {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  if (wide == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(win32::Utf8(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

void Print(std::FILE* stream, std::string_view utf8) {
  HANDLE handle = HandleOf(stream);
  if (!IsConsole(handle)) {
    std::string bytes = ToShiftJis(FromUtf8(utf8));
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    return;
  }
  std::fflush(stream);
  std::wstring wide = win32::Wide(utf8);
  DWORD written = 0;
  ::WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

bool IsTerminal(std::FILE* stream) { return IsConsole(HandleOf(stream)); }

}  // namespace tq
