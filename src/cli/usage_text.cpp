// The Japanese usage texts of the command line.
#include "cli/usage_text.h"

#include "cli/console.h"

namespace tq {
namespace {

const char kConvertLine[] =
    "tecris2quillo convert [--pattern-folder DIR] [--lock-wait 秒] [-y|--yes] [--] 変換元フォルダ 変換先フォルダ [ファイル ...]\n";
const char kListLine[] = "tecris2quillo list [--] 変換元フォルダ\n";
const char kSetupLine[] = "tecris2quillo setup [--pattern-folder DIR]\n";

const char kConvertText[] =
    "変換元フォルダのファイル（省略時は変換できるファイルすべてを名前順に）を変換し、\n"
    "変換先フォルダの下のボーリングごとのフォルダに書き出します。\n";
const char kListText[] = "変換元フォルダの変換できるファイルを一行に一つずつ表示します。\n";
const char kSetupText[] =
    "パターンデータフォルダを設定ファイル PatdatV5.ini に書き込み、フォルダに表がそろっているか\n"
    "確かめます。フォルダを指定しなければ、今の設定と表の有無を表示します。\n";

const char kConvertOptions[] =
    "  --pattern-folder DIR  PatdatV5.ini の代わりにこのパターンデータフォルダを使います。\n"
    "  -y, --yes             変換先フォルダがないとき、たずねずに作成します。\n"
    "  --lock-wait 秒        ほかの変換が土質パターン表を使用中のとき、空くまで待つ秒数（既定 30）。\n";
const char kSetupOptions[] =
    "  --pattern-folder DIR  このパターンデータフォルダを設定ファイルに書き込みます。\n";
const char kCommonOptions[] =
    "  -h, --help            この使い方を表示します。\n"
    "  --                    これより後の引数は、- で始まっていてもフォルダ名・ファイル名です。\n";

const char kPatternAdded[] =
    "土質名を土質パターン表に追加したときの目印 PATADD.txt は、プログラムのフォルダ\n"
    "（TECRIS2QUILLO_PROGRAM_FOLDER があればそのフォルダ）に作成します。\n";
const char kConvertExit[] =
    "終了コード: 0 正常終了、1 確認で中止、2 使い方の誤り、3 変換できないファイル、\n"
    "            4 読めない・壊れた変換元ファイル、または書き込めない出力\n";
const char kSetupExit[] = "終了コード: 0 設定も表もそろっている、1 確認で問題あり、2 使い方の誤り\n";

std::string Section(std::initializer_list<const char*> parts) {
  std::string text;
  for (const char* part : parts) text += part;
  return text;
}

}  // namespace

std::string UsageText(const std::string& topic) {
  if (topic == "convert") {
    return Section({"使い方: ", kConvertLine, "\n", kConvertText, "\n", kConvertOptions, kCommonOptions, "\n", kFolderHelp,
                    kPatternAdded, "\n", kConvertExit});
  }
  if (topic == "list") {
    return Section({"使い方: ", kListLine, "\n", kListText, "\n", kCommonOptions, "\n", kFolderHelp});
  }
  if (topic == "setup") {
    return Section({"使い方: ", kSetupLine, "\n", kSetupText, "\n", kSetupOptions, kCommonOptions, "\n", kFolderHelp,
                    kSettingFileHelp, "\n", kSetupExit});
  }
  if (!topic.empty()) return {};
  return Section({"使い方:\n  ", kConvertLine, "  ", kListLine, "  ", kSetupLine,
                  "  tecris2quillo help [コマンド] | --help | --version\n\n",
                  "convert  変換元フォルダのファイルを、変換先フォルダの下のボーリングごとのフォルダに変換します。\n"
                  "list     変換元フォルダの変換できるファイルを表示します。\n"
                  "setup    パターンデータフォルダを設定します（フォルダを指定しなければ今の設定を表示）。\n\n",
                  "各コマンドの使い方とオプションは tecris2quillo コマンド --help で表示します。\n\n", kFolderHelp,
                  kSettingFileHelp, "\n", kConvertExit});
}

}  // namespace tq
