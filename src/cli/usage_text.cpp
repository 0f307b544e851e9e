// The Japanese usage texts of the command line.
#include "cli/usage_text.h"

#include "cli/console.h"

namespace tq {
namespace {

const char kConvertLine[] =
    "tecris2quillo convert [--pattern-folder DIR] [--lock-wait 秒] [-y|--yes] [--] 変換元フォルダ 変換先フォルダ "
    "[ファイル ...]\n";
const char kCheckLine[] =
    "tecris2quillo check [--json] [--pattern-folder DIR] [--] 変換元フォルダ [ファイル ...] | 変換元ファイル\n";
const char kListLine[] = "tecris2quillo list [--why] [--] 変換元フォルダ\n";
const char kSetupLine[] = "tecris2quillo setup [--pattern-folder DIR]\n";

const char kConvertText[] =
    "変換元フォルダのファイル（省略時は変換できるファイルすべてを名前順に）を変換し、\n"
    "変換先フォルダの下のボーリングごとのフォルダに書き出します。\n";
const char kCheckText[] =
    "変換元ファイルを convert と同じように読み、作者の意図どおりに変換されない可能性のある箇所\n"
    "（指摘）を「ファイル:行: 重要度: 内容 [コード]」の形でファイルごとに表示し、最後に件数を表示します。\n"
    "何も書き込みません（ボーリングフォルダも土質パターン表も）。\n";
const char kCheckCodes[] =
    "指摘のコード:\n"
    "  エラー（そのファイルの変換は中止されます）:\n"
    "    file-refused         ボーリング識別子が読めない（ファイルがない、11 文字でない）\n"
    "    file-stopped         読めない・壊れた変換元ファイル（件数が範囲外、途中で終わっている など）\n"
    "    not-shift-jis        Shift-JIS でない（UTF-8 や UTF-16 の BOM、UTF-8 の文字）\n"
    "  警告（変換されますが、出力が作者の意図と違う可能性があります）:\n"
    "    not-a-number         数値の項目が数値でない（0 として変換）\n"
    "    number-prefix        数値の後に余分な文字がある（先頭の数値だけを使用）\n"
    "    record-split         1 件のデータが複数の行にまたがっている\n"
    "    extra-fields         行にデータの項目より多くの項目がある\n"
    "    section-passed-over  順序が後のセクションより後ろにあり、変換されないセクション\n"
    "    count-below-rows     見出しの件数を超えてデータが続いている\n"
    "    count-above-rows     見出しの件数よりデータが少なく、後のセクションを読み込んでいる\n"
    "    count-reads-zero     X・Z の見出しの件数が数として読めず 0 件になる\n"
    "    depth-cut            深度の整数部が 4 文字を超え、切り詰められる\n"
    "    title-cut            表題の項目が出力の欄の幅を超え、切り詰められる\n"
    "    title-length         分けて書く表題の項目（コード、角度）の長さが違い、書かれない\n"
    "    invalid-byte         Shift-JIS の文字でないバイトがある\n"
    "    identifier-differs   ボーリング識別子がファイル名の数字と違う\n"
    "    identifier-repeated  同じボーリング識別子のファイルが複数ある\n"
    "    stale-output         以前の変換の出力がボーリングフォルダに残る（convert のみ）\n"
    "  情報:\n"
    "    kind-skipped         変換の対象でない種別のデータ（読み飛ばし）\n"
    "    soil-name-learned    土質パターン表にない土質名（変換すると表に追加）\n"
    "「-」「－」「*」「/」だけの項目と空欄は「測定していない」として指摘しません。\n";
const char kCheckOptions[] =
    "  --json                結果を一つの JSON オブジェクトとして標準出力に表示します:\n"
    "                        {\"files\": [{\"file\", \"boring\", \"findings\": [{\"severity\", \"code\", \"line\", "
    "\"message\"}]}]}\n"
    "  --pattern-folder DIR  PatdatV5.ini の代わりにこのパターンデータフォルダを使います。\n";
const char kCheckExit[] =
    "終了コード: 0 指摘なし（情報のみ）、1 警告あり、2 使い方の誤り、4 変換が中止されるファイルあり\n";
const char kListText[] =
    "変換元フォルダの変換できるファイルを一行に一つずつ表示します。\n"
    "--why を付けると、フォルダのすべてのファイルを、変換できない理由とともに表示します。\n";
const char kSetupText[] =
    "パターンデータフォルダを設定ファイル PatdatV5.ini に書き込み、フォルダに表がそろっているか\n"
    "確かめます。フォルダを指定しなければ、今の設定と表の有無を表示します。\n";

const char kConvertOptions[] =
    "  --pattern-folder DIR  PatdatV5.ini の代わりにこのパターンデータフォルダを使います。\n"
    "  -y, --yes             変換先フォルダがないとき、たずねずに作成します。\n"
    "  --lock-wait 秒        ほかの変換が土質パターン表を使用中のとき、空くまで待つ秒数（既定 30）。\n"
    "  --json                ボーリングごとの変換元・識別子・書き込んだファイル・指摘を JSON で標準出力に表示します。\n"
    "  -q, --quiet           エラーだけを表示します（警告・進行状況・終了時のまとめを表示しません）。\n";
const char kConvertReports[] =
    "変換中は警告を「ファイル:行: 警告: 内容 [コード]」の形で表示し（変換は続けます）、最後に変換した\n"
    "ボーリングの数、書き込んだファイルの数、指摘の件数を表示します。指摘のコードは check --help を見てください。\n";
const char kSetupOptions[] = "  --pattern-folder DIR  このパターンデータフォルダを設定ファイルに書き込みます。\n";
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
    return Section({"使い方: ", kConvertLine, "\n", kConvertText, kConvertReports, "\n", kConvertOptions,
                    kCommonOptions, "\n", kFolderHelp, kPatternAdded, "\n", kConvertExit});
  }
  if (topic == "check") {
    return Section({"使い方: ", kCheckLine, "\n", kCheckText, "\n", kCheckOptions, kCommonOptions, "\n", kCheckCodes,
                    "\n", kFolderHelp, "\n", kCheckExit});
  }
  if (topic == "list") {
    return Section({"使い方: ", kListLine, "\n", kListText, "\n", kCommonOptions, "\n", kFolderHelp});
  }
  if (topic == "setup") {
    return Section({"使い方: ", kSetupLine, "\n", kSetupText, "\n", kSetupOptions, kCommonOptions, "\n", kFolderHelp,
                    kSettingFileHelp, "\n", kSetupExit});
  }
  if (!topic.empty()) return {};
  return Section(
      {"使い方:\n  ", kConvertLine, "  ", kCheckLine, "  ", kListLine, "  ", kSetupLine,
       "  tecris2quillo help [コマンド] | --help | --version\n\n",
       "convert  変換元フォルダのファイルを、変換先フォルダの下のボーリングごとのフォルダに変換します。\n"
       "check    変換元ファイルを変換と同じように読み、問題のありそうな箇所を表示します（何も書き込みません）。\n"
       "list     変換元フォルダの変換できるファイルを表示します。\n"
       "setup    パターンデータフォルダを設定します（フォルダを指定しなければ今の設定を表示）。\n\n",
       "各コマンドの使い方とオプションは tecris2quillo コマンド --help で表示します。\n\n", kFolderHelp,
       kSettingFileHelp, "\n", kConvertExit});
}

}  // namespace tq
