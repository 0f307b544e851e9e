#!/usr/bin/env bash
# The Windows command line under Wine: the examples through drive-letter, Japanese and relative
# folders, byte for byte against the reference outputs, and its exit statuses and messages.
set -u
exe=$(realpath "$1")
examples=$(cd "$2" && pwd)
drive_c=${WINEPREFIX:-$HOME/.wine}/drive_c
work=$(mktemp -d)
site=tq-wine-test-$$  # C:\tq-wine-test-PID, a folder of Wine's drive C:
trap 'rm -rf "$work" "${drive_c:?}/$site"' EXIT

source "$(dirname "$0")/wine_checks.sh"
sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
export TECRIS2QUILLO_PROGRAM_FOLDER
TECRIS2QUILLO_PROGRAM_FOLDER=$(winpath "$work")

status_is() {  # status_is EXPECTED ARGUMENTS...: runs the program under Wine, in place of the native one
  local expected=$1
  shift
  wine "$exe" "$@" >"$work/stdout" 2>"$work/stderr" </dev/null
  local status=$?
  [ "$status" -eq "$expected" ] || { echo "exit $status, expected $expected: $*" >&2; iconv -f CP932 -t UTF-8 "$work/stderr" >&2; return 1; }
}
stdout_is() { [ "$(cat "$work/stdout")" = "$(sjis "$1")"$'\r' ]; }
stderr_has() { grep -q "$(sjis "$1")" "$work/stderr"; }

check "version" status_is 0 --version
check "no command" status_is 2
check "usage message in code page 932" stderr_has "コマンドを指定してください"

cp -r "$examples/patdat" "$work/patdat"
check "drive Z: paths convert" status_is 0 convert --yes --pattern-folder "$(winpath "$work/patdat")" \
  "$(winpath "$examples/borings")" "$(winpath "$work/out")"
check "success text in code page 932 with CR LF" stdout_is "変換が正常に終了しました。"
check "drive Z: outputs are the reference bytes" same_as_fixtures "$work/out"
check "pattern-added marker in the program folder" test -f "$work/PATADD.txt"

mkdir -p "$drive_c/$site/データ/現場A"
cp "$examples"/borings/* "$drive_c/$site/データ/現場A/"
cp -r "$examples/patdat" "$drive_c/$site/パターン"
check "Japanese folders on C: convert" status_is 0 convert --yes --pattern-folder "C:\\$site\\パターン" \
  "C:\\$site\\データ\\現場A" "C:\\$site\\出力"
check "Japanese folder outputs are the reference bytes" same_as_fixtures "$drive_c/$site/出力"
check "Japanese folder list" status_is 0 list "C:\\$site\\データ\\現場A"
check "list names the convertible files" test "$(tr -d '\r' <"$work/stdout")" = \
  "$(cd "$examples/borings" && ls | grep -E '^[0-9]{8}\.[0-9]{3}$')"

# Relative Windows paths are taken from the working folder, which Wine gives as C:\...\データ.
cp -r "$examples/patdat" "$drive_c/$site/パターン2"
check "relative paths convert" sh -c 'cd "$1" && wine "$2" convert --yes --pattern-folder "..\\パターン2" 現場A "..\\出力2" >/dev/null 2>&1' \
  - "$drive_c/$site/データ" "$exe"
check "relative path outputs are the reference bytes" same_as_fixtures "$drive_c/$site/出力2"

check "declined without a console" status_is 1 convert --pattern-folder "C:\\$site\\パターン" "C:\\$site\\データ\\現場A" "C:\\$site\\新規"
check "declined creates nothing" test ! -e "$drive_c/$site/新規"
check "question in code page 932" stderr_has "新規作成しますか"
check "a path on no drive" status_is 2 convert --pattern-folder "C:\\$site\\パターン" "\\\\server\\share\\x" "C:\\$site\\出力"

printf '"A","1234567800",""\r\n' >"$drive_c/$site/データ/現場A/12345678.008"  # ten digits
check "refused file" status_is 3 convert --pattern-folder "C:\\$site\\パターン" "C:\\$site\\データ\\現場A" "C:\\$site\\出力" 12345678.008
printf '"A","12345678004",""\r\n"C","","","5"\r\n' >"$drive_c/$site/データ/現場A/12345678.004"
check "malformed file" status_is 4 convert --pattern-folder "C:\\$site\\パターン" "C:\\$site\\データ\\現場A" "C:\\$site\\出力" 12345678.004
check "malformed file message names the line" stderr_has "2 行目"

report
