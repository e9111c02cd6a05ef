#!/usr/bin/env bash
# Every program answers --help (its usage on standard output, status 0) and
# --version, before anything else it would do: the window without a display.
#   conventions.sh VERSION PROGRAM...
set -uo pipefail
version=$1
shift
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

for program in "$@"; do
  name=$(basename "$program")
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help >"$scratch/out" 2>"$scratch/err"
  status=$?
  [[ $status -eq 0 ]] || fail "$name --help: status $status"
  [[ ! -s $scratch/err ]] || fail "$name --help wrote to standard error: $(cat "$scratch/err")"
  head -1 "$scratch/out" | grep -q "^Usage: $name " || fail "$name --help: $(head -1 "$scratch/out")"
  grep -q -- '--version' "$scratch/out" || fail "$name --help does not name --version"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version 2>&1)
  [[ $? -eq 0 && $out == "$name $version" ]] || fail "$name --version: '$out'"
  # Anywhere among the options.
  [[ $("$program" --lang en --version 2>&1) == "$name $version" ]] || [[ $name == orrin-asm || $name == orrin-grade ]] ||
    fail "$name: --version after another option"
done

# After "--", a name is a name: orrin-run runs a script called --help.
for program in "$@"; do
  [[ $(basename "$program") == orrin-run ]] || continue
  printf 'power\nprint Edit_R0\n' >"$scratch/--help"
  out=$(cd "$scratch" && "$program" -- --help 2>&1)
  [[ $out == "Edit_R0=00" ]] || fail "orrin-run -- --help: '$out'"
  # The old usage messages stay as they were, on standard error with status 2.
  "$program" --lang xx >/dev/null 2>"$scratch/err"
  [[ $? -eq 2 ]] && grep -q '^usage: orrin-run ' "$scratch/err" || fail "orrin-run --lang xx"
done
echo "conventions: ok"
