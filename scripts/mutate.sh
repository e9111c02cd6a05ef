#!/usr/bin/env bash
# A small mutation check: each mutant of tests/mutation/mutants.txt (one
# plausible one-line bug) is put into a scratch copy of the tree, which is
# rebuilt incrementally and run through every test: the unit tests, the
# golden scripts and the window's tests (offscreen).
# Prints each mutant as caught or missed and the ratio; exits 1 when any was
# missed. The working tree is never touched.
#
#   scripts/mutate.sh [MUTANTS_FILE]
#   scripts/mutate.sh --changed REV [N] [PATH...]
#
# With --changed, the mutants are made from the program lines changed since
# REV (tests/mutation/changed_mutants.py: operators swapped, constants off by
# one, conditions negated, statements dropped), N of them (default 60) chosen
# by a fixed seed, optionally only in PATHs. A mutant that does not build is
# not a bug anyone could ship: it is listed as invalid and not counted. The
# survivors are listed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
changed=
if [[ "${1:-}" == --changed ]]; then
  [[ $# -ge 2 ]] || { echo "usage: scripts/mutate.sh --changed REV [N] [PATH...]" >&2; exit 2; }
  rev=$2
  count=60
  shift 2
  if [[ $# -gt 0 && "$1" =~ ^[0-9]+$ ]]; then count=$1; shift; fi
  changed=$(mktemp "${TMPDIR:-/tmp}/orrin-mutants.XXXXXX")
  python3 tests/mutation/changed_mutants.py "$rev" "$count" "$@" >"$changed"
  list=$changed
else
  list=${1:-tests/mutation/mutants.txt}
fi
scripts/setup.sh

scratch=$(mktemp -d "${TMPDIR:-/tmp}/orrin-mutate.XXXXXX")
trap 'rm -rf "$scratch" ${changed:+"$changed"}' EXIT
src=$scratch/src
# Inside the copy, as every build: the window finds its shipped examples beside it.
build=$src/build-mutate
mkdir -p "$src"
# The committed tree plus uncommitted changes, without build folders.
git ls-files -z --cached --others --exclude-standard | (cd "$top" && xargs -0 cp --parents -t "$src")

echo "mutate: building the scratch copy"
export QT_QPA_PLATFORM=offscreen
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORRIN_SANITIZE=OFF -DORRIN_WINDOW=ON \
  -DORRIN_TESTS=ON -DORRIN_BENCH=OFF -DORRIN_FUZZ=OFF >"$scratch/configure.log"
cmake --build "$build" >"$scratch/build.log" || { cat "$scratch/build.log"; exit 2; }
if ! ctest --test-dir "$build" -j"$(nproc)" --no-tests=error >"$scratch/ctest.log" 2>&1; then
  echo "mutate: the unmutated tree fails its tests"; tail -20 "$scratch/ctest.log"; exit 2
fi

caught=0 missed=0 total=0 invalid=0
survivors=()
while IFS=$'\t' read -r file text replacement; do
  [[ -z "$file" || "$file" == \#* ]] && continue
  total=$((total + 1))
  target=$src/$file
  cp "$target" "$scratch/original"
  if ! python3 - "$target" "$text" "$replacement" <<'EOF'
import sys
path, text, replacement = sys.argv[1:]
# {NL} stands for a line end, so that a mutant may span lines.
text, replacement = text.replace("{NL}", "\n"), replacement.replace("{NL}", "\n")
source = open(path, encoding="utf-8").read()
if source.count(text) != 1:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(source.replace(text, replacement))
EOF
  then
    echo "BAD     $file: the text is not there exactly once: $text"
    missed=$((missed + 1))
    continue
  fi
  if ! cmake --build "$build" >"$scratch/mutant.log" 2>&1; then
    verdict="caught  (does not build)"
    [[ -n "$changed" ]] && verdict="invalid (does not build)"
  elif ! ctest --test-dir "$build" -j"$(nproc)" --stop-on-failure --timeout 120 >"$scratch/mutant.log" 2>&1; then
    verdict="caught "
  else
    verdict="MISSED "
  fi
  # Back to the original text, with a fresh time stamp so the next build recompiles it.
  cp "$scratch/original" "$target"
  touch "$target"
  if [[ "$verdict" == MISSED* ]]; then
    missed=$((missed + 1))
    survivors+=("$file: $text -> $replacement")
  elif [[ "$verdict" == invalid* ]]; then
    invalid=$((invalid + 1))
    total=$((total - 1))
  else
    caught=$((caught + 1))
  fi
  echo "$verdict $file: $text -> $replacement"
done <"$list"

if [[ ${#survivors[@]} -gt 0 ]]; then
  echo "mutate: the survivors:"
  printf '  %s\n' "${survivors[@]}"
fi
[[ $invalid -gt 0 ]] && echo "mutate: $invalid mutants did not build and are not counted"
echo "mutate: $caught of $total mutants caught"
[[ $missed -eq 0 ]]
