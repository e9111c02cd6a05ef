#!/usr/bin/env bash
# orrin-run --lang en over every golden script: the same exit status and the
# same number of lines as in Chinese, and not one Chinese character left, so
# every message and printed text the scripts meet has its English. A bad
# --lang is refused before anything runs.
#   english_run.sh ORRIN_RUN SCRIPTS_DIR
set -euo pipefail
run=$(realpath "$1")
cd "$2"
fail() { echo "FAIL: $*"; exit 1; }
checked=0
for script in *.orrin; do
  zh_status=0 en_status=0
  zh=$("$run" "$script" 2>&1) || zh_status=$?
  en=$("$run" --lang en "$script" 2>&1) || en_status=$?
  [[ $zh_status -eq $en_status ]] || fail "$script: status $en_status in English, $zh_status in Chinese"
  [[ $(wc -l <<<"$zh") -eq $(wc -l <<<"$en") ]] || fail "$script: line counts differ"
  if grep -nP '[\x{3000}-\x{303f}\x{4e00}-\x{9fff}\x{ff00}-\x{ffef}]' <<<"$en"; then
    fail "$script: Chinese left in the English output"
  fi
  # --lang zh is the default, spelled out.
  [[ $("$run" --lang zh "$script" 2>&1 || true) == "$zh" ]] || fail "$script: --lang zh differs from the default"
  checked=$((checked + 1))
done
[[ $checked -ge 10 ]] || fail "only $checked scripts"
status=0
"$run" --lang fr "$script" >/dev/null 2>&1 || status=$?
[[ $status -eq 2 ]] || fail "--lang fr: status $status"
status=0
"$run" --lang >/dev/null 2>&1 || status=$?
[[ $status -eq 2 ]] || fail "--lang without a language: status $status"
echo "english_run: $checked scripts"
