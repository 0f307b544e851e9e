# Sourced by the script tests: named checks counted for the closing line, and exit status checks
# whose output lands in $work/stdout and $work/stderr.
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
report() {  # the closing line; fails when a check failed
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
