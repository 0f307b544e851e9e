#!/usr/bin/env bash
# check and the reports of convert end to end: findings lines, exit statuses, JSON on stdout,
# --quiet, and that check writes nothing.
set -u
cli=$1
examples=$2
work=$(mktemp -d)
export TECRIS2QUILLO_PROGRAM_FOLDER=$work
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/script_checks.sh"
boring() {  # boring FILE ID [BLOWS]: a title record and one C row
  printf '"A","%s",""\r\n"C","","","1"\r\n"C","","","1.15","%s","30"\r\n' "$2" "${3:-12}" >"$1"
}
parses_as_json() {  # parses_as_json FILE: skipped where no python3 is at hand
  command -v python3 >/dev/null || return 0
  python3 -c 'import json, sys; json.load(open(sys.argv[1], encoding="utf-8"))' "$1"
}
tree() { (cd "$1" && find . -type f -exec cksum {} + | sort); }

cp -r "$examples/patdat" "$work/patdat"
mkdir -p "$work/src" "$work/bad"
boring "$work/src/12345678.001" 12345678001
boring "$work/bad/12345678.001" 12345678001 x50
boring "$work/bad/12345678.002" 1234567800

check "check --help" status_is 0 "$cli" check --help
check "check --help prints its usage" grep -q "^使い方: tecris2quillo check" "$work/stdout"
check "check without a source" status_is 2 "$cli" check
check "check of nothing there" status_is 2 "$cli" check --pattern-folder "$work/patdat" "$work/nowhere"

check "check of a clean folder" status_is 0 "$cli" check --pattern-folder "$work/patdat" "$work/src"
check "clean folder: only the count" test "$(cat "$work/stdout")" = "1 ファイルを確認しました: エラー 0 件、警告 0 件、情報 0 件"

check "check of a warning" status_is 1 "$cli" check --pattern-folder "$work/patdat" "$work/bad" 12345678.001
check "warning line names file, line and code" grep -q '^12345678.001:3: 警告: C の打撃回数「x50」は数値ではない.*\[not-a-number\]$' "$work/stdout"

check "check of a file that would stop" status_is 4 "$cli" check --pattern-folder "$work/patdat" "$work/bad" 12345678.002 12345678.001
check "the stop and the warning, file by file" test "$(cut -d: -f1 "$work/stdout" | head -2 | tr '\n' ' ')" = "12345678.002 12345678.001 "
check "the stop says why" grep -q '^12345678.002: エラー: .*10 文字です.*\[file-refused\]$' "$work/stdout"

check "check of one file by its path" status_is 1 "$cli" check --pattern-folder "$work/patdat" "$work/bad/12345678.001"
check "the file as given" grep -q "^$work/bad/12345678.001:3: 警告:" "$work/stdout"
check "a path and names" status_is 2 "$cli" check --pattern-folder "$work/patdat" "$work/bad/12345678.001" x

check "check --json" status_is 4 "$cli" check --json --pattern-folder "$work/patdat" "$work/bad" 12345678.001 12345678.002
check "check --json parses" parses_as_json "$work/stdout"
check "check --json names file and boring" grep -q '"boring": "12345678001"' "$work/stdout"
check "check --json gives the code" grep -q '"code": "not-a-number"' "$work/stdout"

before=$(tree "$work/patdat")
check "check of the examples" status_is 1 "$cli" check --pattern-folder "$work/patdat" "$examples/borings"
check "check writes no pattern table" test "$(tree "$work/patdat")" = "$before"
check "check writes no marker" test ! -e "$work/PATADD.txt"
check "names to be learned are information" grep -q '情報: 土質名「礫混じり砂」.*\[soil-name-learned\]$' "$work/stdout"

check "convert with a warning" status_is 0 "$cli" convert --yes --pattern-folder "$work/patdat" "$work/bad" "$work/out" 12345678.001
check "success text alone on stdout" test "$(cat "$work/stdout")" = "変換が正常に終了しました。"
check "the warning while converting" grep -q '^12345678.001:3: 警告: C の打撃回数「x50」.*\[not-a-number\]$' "$work/stderr"
check "the closing summary" grep -q "ボーリング 1 本を変換し、ファイル 4 個を書き込みました（エラー 0 件、警告 1 件、情報 0 件）" "$work/stderr"
check "convert --quiet" status_is 0 "$cli" convert --quiet --pattern-folder "$work/patdat" "$work/bad" "$work/out" 12345678.001
check "--quiet prints nothing" test ! -s "$work/stdout" -a ! -s "$work/stderr"
check "convert --quiet of a refused file" status_is 3 "$cli" convert --quiet --pattern-folder "$work/patdat" "$work/bad" "$work/out" 12345678.002
check "--quiet prints the error" grep -q "指定されたﾌｧｲﾙは正しくありません" "$work/stderr"
check "the refused file named by the path typed" grep -q "^ファイル「$work/bad/12345678.002」のボーリング識別子「1234567800」は 10 文字です。" "$work/stderr"
check "a missing destination" status_is 1 "$cli" convert --pattern-folder "$work/patdat" "$work/bad" "$work/new/out" 12345678.001
check "the question names the folder as typed" grep -q "^作成するフォルダ: $work/new/out$" "$work/stderr"
check "convert --json" status_is 0 "$cli" convert --json --pattern-folder "$work/patdat" "$work/bad" "$work/out" 12345678.001
check "convert --json parses" parses_as_json "$work/stdout"
check "run report lists the files written" grep -q '"X5.txt"' "$work/stdout"
check "run report counts the warning" grep -q '"warnings": 1' "$work/stdout"

: >"$work/bad/12345678.003"
echo notes >"$work/bad/notes.txt"
check "list --why" status_is 0 "$cli" list --why "$work/bad"
check "list --why gives every file with its reason" test "$(cat "$work/stdout")" = "$(printf '%s\n' \
  "12345678.001" \
  "12345678.002	変換できません: ボーリング識別子「1234567800」が名前の数字「12345678002」と違います" \
  "12345678.003	変換できません: 空のファイルです" \
  "notes.txt	変換できません: 名前が「8 桁の数字.3 桁の数字」の形ではありません")"

report
