#!/usr/bin/env bash
# The command-line converter end to end: commands, exit statuses and the example conversion.
set -u
cli=$1
examples=$2
fixtures=$(dirname "$0")/fixtures/cli
work=$(mktemp -d)
export TECRIS2QUILLO_PROGRAM_FOLDER=$work
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/script_checks.sh"
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
check "option value missing" status_is 2 "$cli" convert a b --pattern-folder
check "option of another subcommand" status_is 2 "$cli" list --yes a
for command in convert list setup; do
  check "$command --help" status_is 0 "$cli" "$command" --help
  check "$command --help prints its usage" grep -q "^使い方: tecris2quillo $command" "$work/stdout"
  check "help $command" status_is 0 "$cli" help "$command"
  check "help $command prints its usage" grep -q "^使い方: tecris2quillo $command" "$work/stdout"
done
status_is 0 "$cli" convert --help
check "convert --help documents -y with --yes" grep -q -- "-y, --yes" "$work/stdout"
check "help of no such command" status_is 2 "$cli" help frobnicate

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
check "pattern-added marker" test -f "$work/PATADD.txt"

# A marker that cannot be created is a warning on stderr; the conversion still succeeds.
cp -r "$examples/patdat" "$work/patdat2"
check "marker failure converts" status_is 0 env TECRIS2QUILLO_PROGRAM_FOLDER="$work/no-such-folder" "$cli" convert --yes --pattern-folder "$work/patdat2" "$examples/borings" "$work/out3/"
check "marker failure is a warning" grep -q "tecris2quillo: 警告: .*PATADD.txt" "$work/stderr"

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

# After "--" an argument that begins with "-" is a folder or a file name; -y is --yes.
mkdir -p "$work/-dash"
boring "$work/-dash/12345678.001" 12345678001
check "list after --" status_is 0 sh -c 'cd "$1" && "$2" list -- -dash' - "$work" "$cli"
check "list after -- lists the folder" test "$(cat "$work/stdout")" = "12345678.001"
check "convert after -- with -y" status_is 0 sh -c 'cd "$1" && "$2" convert -y --pattern-folder patdat -- -dash -out' - "$work" "$cli"
check "convert after -- writes into the folder named" test -f "$work/-out/12345678001/X5.txt"

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

# setup: the setting file written for the user, and shown.
sjis_setting() {  # the setting file's bytes for a native folder, as the setup writes them
  printf '[PATDAT]\r\nZ:%s\\\r\n' "$(printf '%s' "$1" | tr / '\\')" | iconv -f UTF-8 -t CP932
}
setup() { env TECRIS2QUILLO_SYSDIR="$work/config/tecris2quillo" "$cli" setup "$@"; }
check "show without a setting file" status_is 1 setup
check "show names the missing file" grep -q "設定ファイル「$work/config/tecris2quillo/PatdatV5.ini」がありません" "$work/stderr"
check "show says how to set it" grep -q "tecris2quillo setup --pattern-folder フォルダ" "$work/stderr"
check "setup writes the setting" status_is 0 setup --pattern-folder "$work/patdat"
check "setup says where it wrote" grep -q "$work/config/tecris2quillo/PatdatV5.ini" "$work/stdout"
check "setting holds the drive form with its backslash" cmp -s <(sjis_setting "$work/patdat") "$work/config/tecris2quillo/PatdatV5.ini"
check "convert reads the written setting" status_is 0 env TECRIS2QUILLO_SYSDIR="$work/config/tecris2quillo" "$cli" convert "$work/src" "$work/out" 12345678.001
check "show a complete setting" status_is 0 setup
check "show names the folder" grep -qF "Z:$(printf '%s' "$work" | tr / '\\')\\patdat\\" "$work/stdout"
check "show lists the tables" test "$(grep -c "あり" "$work/stdout")" -eq 4
check "setup takes a relative folder" status_is 0 sh -c 'cd "$1" && TECRIS2QUILLO_SYSDIR="$1/config/tecris2quillo" "$2" setup --pattern-folder ./patdat/' - "$work" "$cli"
check "relative folder written absolute" cmp -s <(sjis_setting "$work/patdat") "$work/config/tecris2quillo/PatdatV5.ini"
mkdir -p "$work/パターン"
cp "$work/patdat/L2.txt" "$work/パターン/"
check "setup of a folder missing tables" status_is 1 setup --pattern-folder "$work/パターン"
for table in L4.TXT KISHITU.TXT XKISHITU.TXT; do
  check "setup warns of $table" grep -q "$work/パターン」に $table がありません" "$work/stderr"
done
check "setup does not warn of a table that is there" test "$(grep -c "がありません" "$work/stderr")" -eq 3
check "setting in code page 932" cmp -s <(sjis_setting "$work/パターン") "$work/config/tecris2quillo/PatdatV5.ini"
check "show of a folder missing tables" status_is 1 setup
check "setup of a missing folder" status_is 1 setup --pattern-folder "$work/nowhere"
check "a missing folder is not written" cmp -s <(sjis_setting "$work/パターン") "$work/config/tecris2quillo/PatdatV5.ini"
printf '[PATDAT]\r\n' >"$work/config/tecris2quillo/PatdatV5.ini"
check "show of a one-line setting" status_is 1 setup
check "show says the file has one line" grep -q "1 行だけです" "$work/stderr"
printf '[PATDAT]\r\nZ:\\nowhere\\\r\n' >"$work/config/tecris2quillo/PatdatV5.ini"
check "show of a setting naming no folder" status_is 1 setup
check "show names the line and the folder" grep -qF "2 行目のフォルダ「Z:\\nowhere\\」がありません" "$work/stderr"
check "setup with a stray argument" status_is 2 setup "$work/patdat"

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

report
