#!/usr/bin/env bash
# The command-line converter end to end: commands, exit statuses and the example conversion.
set -u
cli=$1
examples=$2
fixtures=$(dirname "$0")/fixtures/cli
work=$(mktemp -d)
export TECRIS2QUILLO_PROGRAM_FOLDER=$work
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
check() {  # check NAME CONDITION...
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name" >&2
  fi
}
status_is() {  # status_is EXPECTED COMMAND...
  local expected=$1
  shift
  "$@" >"$work/stdout" 2>"$work/stderr" </dev/null
  local status=$?
  [ "$status" -eq "$expected" ] || { echo "exit $status, expected $expected: $*" >&2; cat "$work/stderr" >&2; return 1; }
}
boring() {  # boring FILE ID: a title record and one C row
  printf '"A","%s",""\r\n"C","","","1"\r\n"C","","","1.15","12","30"\r\n' "$2" >"$1"
}

cp -r "$examples/patdat" "$work/patdat"

check "help" status_is 0 "$cli" --help
check "help text" grep -q "convert" "$work/stdout"
check "version" status_is 0 "$cli" --version
check "no command" status_is 2 "$cli"
check "unknown command" status_is 2 "$cli" frobnicate
check "unknown option" status_is 2 "$cli" convert --frob a b
check "missing folders" status_is 2 "$cli" convert "$work/src"

mkdir -p "$work/src"
boring "$work/src/12345678.001" 12345678001
boring "$work/src/12345678.002" 12345678009
boring "$work/src/notes.txt" 12345678003
check "list" status_is 0 "$cli" list "$work/src"
check "list offers only files that carry their name" test "$(cat "$work/stdout")" = "12345678.001"

check "examples convert" status_is 0 "$cli" convert --yes --pattern-folder "$work/patdat" "$examples/borings" "$work/out/"
check "success text on stdout" test "$(cat "$work/stdout")" = "変換が正常に終了しました。"
for expected in "$fixtures"/*/*; do
  file=${expected#"$fixtures"/}
  check "example $file byte for byte" cmp -s "$expected" "$work/out/$file"
done
check "examples write no other file" test "$(cd "$work/out" && find . -type f | sort)" = "$(cd "$fixtures" && find . -type f | sort)"

check "declined without a terminal" status_is 1 "$cli" convert --pattern-folder "$work/patdat" "$work/src" "$work/new"
check "declined creates nothing" test ! -e "$work/new"
check "question printed" grep -q "新規作成しますか" "$work/stderr"

check "drive-form paths" status_is 0 env TECRIS2QUILLO_DRIVES="W=$work" "$cli" convert --pattern-folder "W:\\patdat" "W:\\src" "W:\\out2" 12345678.001 --yes
check "drive-form output" test -f "$work/out2/12345678001/X5.txt"

# "W:src" is completed to W:\src by the run's check; the list and the run agree on it, also
# when the current folder of W: holds a src folder of its own.
mkdir -p "$work/drv/src" "$work/drv/sub/src"
boring "$work/drv/src/12345678.001" 12345678001
boring "$work/drv/sub/src/12345678.002" 12345678002
check "drive-relative list" status_is 0 sh -c 'cd "$1/drv/sub" && TECRIS2QUILLO_DRIVES="W=$1/drv" "$2" list "W:src"' - "$work" "$cli"
check "drive-relative list reads the completed folder" test "$(cat "$work/stdout")" = "12345678.001"
check "drive-relative convert" status_is 0 sh -c 'cd "$1/drv/sub" && TECRIS2QUILLO_DRIVES="W=$1/drv" "$2" convert --yes --pattern-folder "$1/patdat" "W:src" "W:\\out"' - "$work" "$cli"
check "drive-relative convert reads the listed files" test "$(ls "$work/drv/out")" = "12345678001"

check "refused file" status_is 3 "$cli" convert --pattern-folder "$work/patdat" "$work/src" "$work/out" 12345678.009
printf '"A","12345678004",""\r\n"C","","","5"\r\n' >"$work/src/12345678.004"
check "malformed file" status_is 4 "$cli" convert --pattern-folder "$work/patdat" "$work/src" "$work/out" 12345678.004
check "malformed file message names the line" grep -q "2 行目" "$work/stderr"
check "missing pattern folder" status_is 1 "$cli" convert --pattern-folder "$work/none" "$work/src" "$work/out"
check "pattern folder message" grep -q "PATDAT の設定がありません" "$work/stderr"
check "no setting file" status_is 1 env TECRIS2QUILLO_SYSDIR="$work/sys" "$cli" convert "$work/src" "$work/out" 12345678.001
mkdir -p "$work/sys"
printf 'Quillo\r\n%s\\\r\n' "$work/patdat" >"$work/sys/PatdatV5.ini"
check "setting file with a native path" status_is 0 env TECRIS2QUILLO_SYSDIR="$work/sys" "$cli" convert "$work/src" "$work/out" 12345678.001

# Another converter holds the soil pattern tables: the waiting one says so at once, and
# --lock-wait bounds the wait.
flock "$work/patdat/KISHITU.LCK" sleep 10 &
holder=$!
sleep 0.3
check "lock held elsewhere" status_is 4 "$cli" convert --yes --lock-wait 0.5 --pattern-folder "$work/patdat" "$examples/borings" "$work/locked" 12345678.002
check "the wait is said on stderr" grep -q "ほかの変換が使用中です.*0.5 秒待ちます" "$work/stderr"
check "the stop names the lock file" grep -q "KISHITU.LCK" "$work/stderr"
kill "$holder"
wait "$holder" 2>/dev/null
check "lock wait that is no number" status_is 2 "$cli" convert --lock-wait soon "$work/src" "$work/out"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
