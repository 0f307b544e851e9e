# The checks of the command-line tests, sourced by them: each check is named, counted and, when
# it fails, reported on stderr; checks_passed ends the test with their verdict.
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
checks_passed() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
