#!/usr/bin/env bash
# The Win32 window under Wine on a virtual X display: it starts, shows its caption, converts the
# examples through the form logic's test hook with the reference bytes, and leaves its picture.
# usage: gui_wine_test.sh WINDOW_EXE EXAMPLES_FOLDER PICTURE.png
set -u
exe=$(realpath "$1")
examples=$(cd "$2" && pwd)
picture=$3
work=$(mktemp -d)
drive_c=${WINEPREFIX:-$HOME/.wine}/drive_c
site=tecris2quillo-試験  # C:\tecris2quillo-試験, a folder of Wine's drive C:, as a user's folders look
trap 'rm -rf "$work" "${drive_c:?}/$site"' EXIT

source "$(dirname "$0")/wine_checks.sh"
report_has() { grep -qxF "$1" "$work/report.txt" || { cat "$work/report.txt" >&2; return 1; }; }
is_png() { [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ]; }

# The caption bar's buttons are drawn with Wine's Marlett (Debian fonts-wine), which a prefix
# made before that package came does not have.
[ -f /usr/share/wine/fonts/marlett.ttf ] && cp -n /usr/share/wine/fonts/marlett.ttf "$drive_c/windows/Fonts/" 2>/dev/null
# Wine draws the caption bar in its own font, which has no Japanese: it borrows from a CJK font,
# as Windows links fonts for missing characters.
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma /t REG_MULTI_SZ \
  /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK JP' /f >/dev/null 2>&1

# The user's keys, typed by xdotool into the window started as a user starts it: the destination
# typed into its box, every file selected with Shift, Enter on the file list (which starts
# nothing), Enter on the Execute button, Enter on the create-folder question (Yes), Alt+F4, which
# closes the window and the list of findings beside it (the examples have warnings).
cat >"$work/keys.sh" <<'KEYS'
wine explorer /desktop=tecris2quillo,800x600 "$1" >/dev/null 2>&1 &
program=$!
for _ in $(seq 60); do xdotool search --name tecris2quillo >/dev/null 2>&1 && break; sleep 0.5; done
sleep 3
keys() { xdotool key --delay 150 "$@"; sleep 1; }
keys Tab Home shift+End
xdotool type --delay 50 "$2"
keys Tab Tab Tab Home shift+End Return
[ -e "$3" ] && echo "Enter on the file list started a run" >&2
keys Tab Tab Tab Return
keys Return
for _ in $(seq 60); do [ -e "$4" ] && break; sleep 0.5; done
sleep 1
keys alt+F4
for _ in $(seq 20); do kill -0 "$program" 2>/dev/null || exit 0; sleep 0.5; done
echo "the window did not end" >&2
exit 1
KEYS
typed_run() {  # typed_run DESTINATION: the conversion by keys, from the site's source folder
  (cd "$drive_c/$site/現場A" && timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" \
    bash "$work/keys.sh" "$exe" "$(winpath "$1")" "$1" "$1/12345678004/titl01.txt")
}

# The window in Wine's own desktop, which draws the frame and caption as Windows does. It starts
# in the site's folder, which the destination folder list shows.
window() {  # window ARGUMENTS...: the program's report lands in $work/report.txt
  rm -f "$work/report.txt"
  (cd "$drive_c/$site" && timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" \
    wine explorer /desktop=tecris2quillo,800x600 "$exe" --test-execute "$@" "$(winpath "$work/report.txt")" \
    "$(winpath "$work/window.png")" >/dev/null 2>&1)
  [ -f "$work/report.txt" ]
}

mkdir "$work/sys"
export TECRIS2QUILLO_SYSDIR TECRIS2QUILLO_PROGRAM_FOLDER
TECRIS2QUILLO_SYSDIR=$(winpath "$work/sys")
TECRIS2QUILLO_PROGRAM_FOLDER=$(winpath "$work")

mkdir -p "$drive_c/$site/現場A" "$drive_c/$site/パターン"
cp "$examples"/borings/* "$drive_c/$site/現場A/"
check "starts without a setting" window "C:\\$site\\現場A" "C:\\$site\\出力"
check "says the setting is missing" grep -q "^message= PATDAT の設定がありません\." "$work/report.txt"
check "converts nothing without a setting" test ! -e "$drive_c/$site/出力"

cp -r "$examples"/patdat/* "$drive_c/$site/パターン/"
printf '[PATDAT]\r\nC:\\%s\\パターン\\\r\n' "$site" | iconv -f UTF-8 -t CP932 >"$work/sys/PatdatV5.ini"
check "window runs" window "C:\\$site\\現場A" "C:\\$site\\出力"
check "caption" report_has "caption=TECRIS -> Quillo 変換プログラム"
check "asks before creating the destination" report_has "message=フォルダがありません。新規作成しますか？"
check "end message" report_has "status=変換が正常に終了しました。"
check "lists the examples' warnings" report_has "findings=6"
check "outputs are the reference bytes" same_as_fixtures "$drive_c/$site/出力"
check "picture of the window" is_png "$work/window.png"
cp "$work/window.png" "$picture" 2>/dev/null

check "typed run ends with the window" typed_run "$work/keys"
check "typed run outputs are the reference bytes" same_as_fixtures "$work/keys"

report
