#!/usr/bin/env bash
# Converters killed at random moments while they share one pattern data folder: the tables keep
# whole rows with each name once under distinct codes, and every output file is whole or absent.
set -u
cli=$1
examples=$2
seed=${3:-20240607}
work=$(mktemp -d)
export TECRIS2QUILLO_PROGRAM_FOLDER=$work
trap 'rm -rf "$work"' EXIT
RANDOM=$seed

borings=6
names=20
converters=4
rounds=8

failed=0
fail() {
  echo "FAILED: $*" >&2
  failed=$((failed + 1))
}

# Boring b holds the names soil-b.1 to soil-b.20, and shares soil-shared.1 to 5 with the others.
mkdir -p "$work/src" "$work/out"
cp -r "$examples/patdat" "$work/patdat"
for b in $(seq 1 $borings); do
  file="$work/src/1234567800$b"
  {
    printf '"A","1234567800%s",""\r\n' "$b"
    printf '"X","001","1234567800%s","%3d"\r\n' "$b" "$names"
    for i in $(seq 1 $names); do
      name="soil-$b.$i"
      [ "$i" -le 5 ] && name="soil-shared.$i"
      printf '"X","%s","","%s.0","%s",""\r\n' "$i" "$i" "$name"
    done
  } >"$file"
  mv "$file" "$work/src/12345678.00$b"
done

convert_all=(convert --yes --lock-wait 20 --pattern-folder "$work/patdat" "$work/src" "$work/out")

# Each row whole (six fields, CR LF), each name once, each code once.
check_table() {
  local table=$1
  [ -f "$table" ] || return 0
  if LC_ALL=C grep -qvaE '^[0-9]{4},[^,]*,[^,]*,[^,]*,[^,]*,[0-9]{4}'$'\r''$' "$table"; then
    fail "$(basename "$table") holds a row that is not whole"
  fi
  local duplicates
  duplicates=$(LC_ALL=C cut -d, -f2 "$table" | sort | uniq -d)
  [ -z "$duplicates" ] || fail "$(basename "$table") holds a name twice: $duplicates"
  duplicates=$(LC_ALL=C cut -d, -f1 "$table" | sort | uniq -d)
  [ -z "$duplicates" ] || fail "$(basename "$table") gives a code twice: $duplicates"
}

# Learned names carry the same code in both tables.
check_codes_agree() {
  local row code name
  while IFS= read -r row; do
    code=${row%%,*}
    name=${row#*,}
    name=${name%%,*}
    case $name in soil-*) ;; *) continue ;; esac
    LC_ALL=C grep -q "^$code,$name," "$work/patdat/XKISHITU.TXT" || fail "$name has $code in KISHITU.TXT only"
  done <"$work/patdat/KISHITU.TXT"
}

# An X1.txt is whole: one line per layer, each with a code that KISHITU.TXT gives its name.
check_outputs() {
  local x1 lines
  for x1 in "$work"/out/*/X1.txt; do
    [ -f "$x1" ] || continue
    lines=$(LC_ALL=C grep -caE '^ +[0-9]+, +[0-9]+\.[0-9]{2},[0-9]{4},soil-[0-9a-z.]+'$'\r''$' "$x1")
    [ "$lines" -eq "$names" ] || fail "$x1 is not whole ($lines of $names lines)"
  done
}

check_all() {
  check_table "$work/patdat/KISHITU.TXT"
  check_table "$work/patdat/XKISHITU.TXT"
  check_codes_agree
  check_outputs
}

for round in $(seq 1 $rounds); do
  pids=()
  for c in $(seq 1 $converters); do
    # The converter itself in the background, not a shell around it, so that the kill reaches it.
    "$cli" "${convert_all[@]}" >/dev/null 2>&1 &
    pids+=($!)
  done
  sleep "0.$((RANDOM % 300 + 10))"
  for pid in "${pids[@]}"; do
    [ $((RANDOM % 4)) -eq 0 ] && continue  # some are left to finish
    kill -9 "$pid" 2>/dev/null
  done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  check_all
  [ "$failed" -eq 0 ] || { echo "seed $seed, round $round" >&2; exit 1; }
done

# A clean run afterwards converts every boring and clears what the killed ones left.
"$cli" "${convert_all[@]}" >/dev/null 2>&1 || fail "the clean run after the kills did not complete"
check_all
for b in $(seq 1 $borings); do
  [ -f "$work/out/1234567800$b/X1.txt" ] || fail "boring $b has no X1.txt after the clean run"
done
learned=$(LC_ALL=C grep -c ',soil-' "$work/patdat/KISHITU.TXT")
[ "$learned" -eq $((borings * (names - 5) + 5)) ] || fail "KISHITU.TXT holds $learned learned names"
leftovers=$(find "$work/patdat" -name '.*')
[ -z "$leftovers" ] || fail "temporaries left in the pattern data folder: $leftovers"

echo "$rounds rounds of $converters converters, seed $seed: $failed failures"
[ "$failed" -eq 0 ]
