#!/usr/bin/env bash
# The Windows installer under Wine: a silent installation for the current user with the pattern
# data folder, the setting file it writes, a conversion by the installed program with that
# setting alone, and the silent uninstallation.
# usage: installer_wine_test.sh SETUP_EXE EXAMPLES_FOLDER
set -u
setup=$(realpath "$1")
examples=$(cd "$2" && pwd)
# No menu entries on the machine that runs the test.
export WINEDLLOVERRIDES=winemenubuilder.exe=d
work=$(mktemp -d)
drive_c=${WINEPREFIX:-$HOME/.wine}/drive_c
site=tecris2quillo-導入試験-$$  # C:\tecris2quillo-導入試験-PID on Wine's drive C:
trap 'rm -rf "$work" "${drive_c:?}/$site"' EXIT

source "$(dirname "$0")/wine_checks.sh"
setting_is() {  # setting_is FOLDER: the two lines of the setting, code page 932 with CR LF
  printf '[PATDAT]\r\n%s\r\n' "$1" | iconv -f UTF-8 -t CP932 | cmp -s - "$work/sys/PatdatV5.ini"
}
start_menu() {  # the current user's Start-menu folder of the program, as Wine keeps it
  find "$drive_c/users" -path "*Start Menu/Programs/tecris2quillo" -type d 2>/dev/null | head -n 1
}

mkdir -p "$work/sys" "$drive_c/$site/現場A" "$drive_c/$site/パターン"
cp "$examples"/borings/* "$drive_c/$site/現場A/"
cp -r "$examples"/patdat/* "$drive_c/$site/パターン/"
export TECRIS2QUILLO_SYSDIR TECRIS2QUILLO_PROGRAM_FOLDER
TECRIS2QUILLO_SYSDIR=$(winpath "$work/sys")
TECRIS2QUILLO_PROGRAM_FOLDER=$(winpath "$work")
inst="C:\\$site\\inst"

check "a missing pattern folder stops the silent installation" \
  status_is 2 wine "$setup" /S /CurrentUser "/PATDAT=C:\\$site\\なし" "/D=$inst"
check "nothing installed then" test ! -e "$drive_c/$site/inst"
check "no setting written then" test ! -e "$work/sys/PatdatV5.ini"

check "silent installation" status_is 0 wine "$setup" /S /CurrentUser "/PATDAT=C:\\$site\\パターン" "/D=$inst"
for file in tecris2quillo.exe tecris2quillo-gui.exe README.txt uninstall.exe examples/borings/12345678.001; do
  check "installed $file" test -f "$drive_c/$site/inst/$file"
done
check "setting file names the pattern folder" setting_is "C:\\$site\\パターン\\"
menu=$(start_menu)
check "Start-menu shortcuts" test -f "$menu/TECRIS to Quillo 変換プログラム.lnk" -a -f "$menu/README.lnk"
check "installed converter works with the setting alone" \
  status_is 0 wine "$drive_c/$site/inst/tecris2quillo.exe" convert --yes "C:\\$site\\現場A" "C:\\$site\\出力"
check "its outputs are the reference bytes" same_as_fixtures "$drive_c/$site/出力"

check "silent uninstallation" status_is 0 wine "$drive_c/$site/inst/uninstall.exe" /S /CurrentUser "_?=$inst"
check "programs removed" test ! -e "$drive_c/$site/inst/tecris2quillo-gui.exe" -a ! -e "$drive_c/$site/inst/examples"
check "shortcuts removed" test ! -e "$menu"
check "setting kept" setting_is "C:\\$site\\パターン\\"

report
