#!/usr/bin/env bash
# Grades the shipped grading examples with orrin-grade and checks the
# reports, the statuses, the time limit, that no submission folder is
# written to, and the README's GNU parallel recipe.
#   grade_examples.sh ORRIN_GRADE EXAMPLES_GRADING_DIR
set -euo pipefail
grade=$1
cd "$2"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
fingerprint() { find alu program lab -type f -print0 | sort -z | xargs -0 md5sum; }
before=$(fingerprint)

for check in alu program; do
  folders=$(cd "$check" && ls -d */ | sed "s|^|$check/|; s|/$||")
  status=0
  # shellcheck disable=SC2086
  "$grade" -j 2 --csv "$out/$check.csv" --junit "$out/$check.xml" "$check/check.orrin" $folders >"$out/$check.log" || status=$?
  [[ $status -eq 1 ]] || fail "$check: status $status, expected 1 (some submissions fail)"
  diff "$check/expected.csv" "$out/$check.csv" || fail "$check: the CSV differs"
  grep -q "<testsuite name=\"right\" tests=\"[1-9][0-9]*\" failures=\"0\" errors=\"0\">" "$out/$check.xml" ||
    fail "$check: no passing suite for right"
  grep -q "passed, .* failed, 0 error, 0 timeout" "$out/$check.log" || fail "$check: no summary"
done
grep -q '<failure message="line 17: expected MEM\[FF\]=0F, got 0A">' "$out/program.xml" || fail "no failure in JUnit"

# A lab grades each folder's recorded session, a JUnit case per step.
status=0
"$grade" --lab ../labs/alu.lab --csv "$out/lab.csv" --junit "$out/lab.xml" lab/finished lab/halfway lab/nothing \
  >"$out/lab.log" || status=$?
[[ $status -eq 1 ]] || fail "lab: status $status, expected 1"
diff lab/expected.csv "$out/lab.csv" || fail "lab: the CSV differs"
grep -q '<testsuite name="halfway" tests="5" failures="2" errors="0">' "$out/lab.xml" || fail "lab: no case per step"
"$grade" --lab ../labs/alu.lab lab/finished >/dev/null || fail "lab: the finished session did not pass"

# Every submission passes: status 0.
"$grade" program/check.orrin program/right program/right/ >"$out/right.log" || fail "all passed, yet status $?"

# A check that runs without a bound: the endless program times out, the
# others still finish.
{ grep -v '^run ' program/check.orrin; } | sed 's/^qd$/qd\nrun/' >"$out/unbounded.orrin"
status=0
"$grade" --timeout 1 --csv "$out/t.csv" "$out/unbounded.orrin" program/endless program/right >/dev/null || status=$?
[[ $status -eq 1 ]] || fail "timeout: status $status"
grep -q '^program/endless,timeout,' "$out/t.csv" || fail "the endless program did not time out"
grep -q '^program/right,passed,' "$out/t.csv" || fail "the program beside the endless one did not pass"

# A bad check script is an error for each submission.
printf 'power\nfrobnicate\nexpect R0=00\n' >"$out/bad.orrin"
"$grade" --csv "$out/bad.csv" "$out/bad.orrin" program/right >/dev/null || true
grep -q "^program/right,error,0,0,line 2: unknown command 'frobnicate',0/1$" "$out/bad.csv" || fail "bad check"

# A check that cannot be checked is refused before any submission runs.
printf 'power\nexpect R0=00\nexpect R0>=100\n' >"$out/malformed.orrin"
status=0
"$grade" --csv "$out/m.csv" "$out/malformed.orrin" program/right >"$out/m.log" 2>&1 || status=$?
[[ $status -eq 2 && ! -e "$out/m.csv" ]] || fail "malformed check: status $status"
grep -qF "malformed.orrin: line 3: R0>=100: R0 is compared with a hex value of at most 2 digits" "$out/m.log" ||
  { cat "$out/m.log"; fail "malformed check: message"; }

# Points: the sum is worth three, the halt one; the gradebook has them.
"$grade" --gradebook "$out/book.csv" program/check.orrin program/right program/wrong >/dev/null || true
printf 'identifier,points,maximum,status\nright,4,4,passed\nwrong,1,4,failed\n' | diff - "$out/book.csv" ||
  fail "the gradebook"

# Bad arguments: a clear message and status 2 before any work.
for args in "program/check.orrin" "no-such-check.orrin program/right" "program/check.orrin no-such-folder" \
  "-j 0 program/check.orrin program/right" "--timeout x program/check.orrin program/right" "--bogus" \
  "--lab ../labs/alu.lab" "--lab no-such.lab lab/finished" "--lab lab/expected.csv lab/finished"; do
  status=0
  # shellcheck disable=SC2086
  "$grade" $args >"$out/args.log" 2>&1 || status=$?
  [[ $status -eq 2 ]] || fail "'$args': status $status"
  grep -q '^orrin-grade: ' "$out/args.log" || fail "'$args': no message"
done

# The README's recipe: shares of the folders through GNU parallel, the CSVs
# concatenated, give the rows of one run.
find program -mindepth 1 -maxdepth 1 -type d | sort >"$out/folders.txt"
parallel --will-cite -N 2 -a "$out/folders.txt" "$grade --csv $out/share{#}.csv program/check.orrin {}" >/dev/null || true
head -n 1 "$out/share1.csv" >"$out/all.csv"
tail -q -n +2 "$out"/share*.csv | sort >>"$out/all.csv"
diff "$out/all.csv" program/expected.csv || fail "the recipe's CSV differs"

[[ "$(fingerprint)" == "$before" ]] || fail "a submission folder was written to"
echo "grading examples: all checks passed"
