# Sourced by the tests that run Windows programs under Wine: the checks of script_checks.sh, the
# reference outputs of the examples and Windows paths of native ones.
export WINEDEBUG=-all LC_ALL=C.UTF-8
fixtures=$(cd "$(dirname "${BASH_SOURCE[0]}")/fixtures/cli" && pwd)
source "$(dirname "${BASH_SOURCE[0]}")/script_checks.sh"

winpath() { printf 'Z:%s' "${1//\//\\}"; }  # a native path as Wine's drive Z: (the root) shows it
same_as_fixtures() {  # same_as_fixtures NATIVE_OUTPUT_FOLDER: every reference file, and no other
  local out=$1 expected
  for expected in "$fixtures"/*/*; do
    cmp -s "$expected" "$out/${expected#"$fixtures"/}" || { echo "differs: ${expected#"$fixtures"/}" >&2; return 1; }
  done
  [ "$(cd "$out" && find . -type f | sort)" = "$(cd "$fixtures" && find . -type f | sort)" ]
}
