// The command line's console on POSIX: UTF-8 arguments and messages.
#include <unistd.h>

#include "cli/console.h"

namespace tq {

const char kFolderHelp[] =
    "フォルダは Linux のパス（/home/... や相対パス）でも、ドライブ形式（Z:\\data）でも指定できます。\n"
    "ドライブは TECRIS2QUILLO_DRIVES（例 C=/srv/borings;D=/mnt/usb）で定義します。Z: は / です。\n";
const char kSettingFileHelp[] =
    "設定ファイルは TECRIS2QUILLO_SYSDIR、なければ $XDG_CONFIG_HOME/tecris2quillo または\n"
    "~/.config/tecris2quillo のフォルダの PatdatV5.ini です。\n";

std::vector<std::string> CommandLineArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

void Print(std::FILE* stream, std::string_view utf8) { std::fwrite(utf8.data(), 1, utf8.size(), stream); }

bool IsTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) != 0; }

}  // namespace tq
