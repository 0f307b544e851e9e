#!/usr/bin/env bash
# The Debian package end to end: built, installed, set up and converting the examples with the
# installed program, as a new user on a fresh machine would.
#
# Under CI (root on a throwaway machine) the package is installed with apt-get, which also proves
# that its dependencies resolve on Debian; it is removed again afterwards. Elsewhere it is only
# unpacked into a scratch root, so that a developer's machine is left as it was.
set -u
cd "$(dirname "$0")/.."
fixtures=$PWD/tests/fixtures/cli
work=$(mktemp -d)
installed=no
cleanup() {
  [ "$installed" = yes ] && apt-get purge -y -qq tecris2quillo >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

source tests/script_checks.sh
has() { grep -q "$@"; }

./scripts/package >"$work/package.log" 2>&1 || { cat "$work/package.log" >&2; echo "0 passed, 1 failed"; exit 1; }
deb=$(tail -n 1 "$work/package.log")
version=$(sed -n 's/^project(tecris2quillo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
check "package named by the project's version" test "$deb" = "dist/tecris2quillo_${version}_amd64.deb"
dpkg-deb -f "$deb" Depends >"$work/depends"
check "dependencies found from the programs' libraries" has -E '(^|, )libc6' "$work/depends"
check "the window's Qt library is a dependency" has 'libqt6widgets6' "$work/depends"
dpkg-deb -c "$deb" >"$work/contents"
for file in usr/bin/tecris2quillo usr/bin/tecris2quillo-gui usr/share/man/man1/tecris2quillo.1 \
    usr/share/bash-completion/completions/tecris2quillo usr/share/doc/tecris2quillo/README.md \
    usr/share/doc/tecris2quillo/README.en.md usr/share/doc/tecris2quillo/LICENSE \
    usr/share/doc/tecris2quillo/examples/borings/12345678.001 usr/share/doc/tecris2quillo/examples/patdat/KISHITU.TXT; do
  check "package holds $file" has " \./$file\$" "$work/contents"
done

if [ "${CI:-}" = "true" ] && [ "$(id -u)" -eq 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >"$work/apt.log" 2>&1 || cat "$work/apt.log" >&2
  installed=yes
  root=
else
  dpkg-deb -x "$deb" "$work/root"
  root=$work/root
fi
cli=$root/usr/bin/tecris2quillo
examples=$root/usr/share/doc/tecris2quillo/examples
check "installed program runs" status_is 0 "$cli" --version
check "installed version is the package's" test "$(cat "$work/stdout")" = "tecris2quillo $version"

# A new user: no configuration yet, a copy of the example pattern data folder in the home folder.
export HOME=$work/home TECRIS2QUILLO_PROGRAM_FOLDER=$work/home
unset XDG_CONFIG_HOME TECRIS2QUILLO_SYSDIR
mkdir -p "$HOME"
cp -r "$examples/patdat" "$HOME/patdat"
check "setup with the installed program" status_is 0 "$cli" setup --pattern-folder "$HOME/patdat"
check "setting file in the user's configuration folder" test -f "$HOME/.config/tecris2quillo/PatdatV5.ini"
check "installed examples convert" status_is 0 "$cli" convert --yes "$examples/borings" "$HOME/out"
for expected in "$fixtures"/*/*; do
  file=${expected#"$fixtures"/}
  check "installed conversion $file byte for byte" cmp -s "$expected" "$HOME/out/$file"
done
command -v man >/dev/null && check "manual page reads" sh -c 'man -l "$1" 2>/dev/null | grep -q "setup"' - "$root/usr/share/man/man1/tecris2quillo.1"
completes() {  # completes EXPECTED WORD...: what the installed completion offers for the last word, sorted
  local expected=$1
  shift
  bash -c 'source "$1" && shift && COMP_WORDS=("$@") && COMP_CWORD=$(($# - 1)) && _tecris2quillo && printf "%s\n" "${COMPREPLY[@]}" | sort | xargs' \
    - "$root/usr/share/bash-completion/completions/tecris2quillo" "$@" >"$work/completed"
  [ "$(cat "$work/completed")" = "$expected" ] || { echo "completed: $(cat "$work/completed")" >&2; return 1; }
}
check "completion of a subcommand" completes setup tecris2quillo se
check "completion of an option" completes --pattern-folder tecris2quillo convert --pat
check "completion of the pattern folder" completes "$HOME/patdat" tecris2quillo setup --pattern-folder "$HOME/pat"
check "completion of the source files" completes "12345678.001 12345678.002 12345678.003 12345678.004" tecris2quillo convert "$examples/borings" "$HOME/out" 12345678.00

report
