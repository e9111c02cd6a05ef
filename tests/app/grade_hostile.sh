#!/usr/bin/env bash
# orrin-grade against what a hostile or careless class hands in: links to
# another student's work, FIFOs, names that are not UTF-8, a check without
# expectations, no room for a scratch folder, a grader killed mid-run. Nothing
# outside the grader's scratch folder may change, no child may outlive it,
# and every report must parse.
#   grade_hostile.sh ORRIN_GRADE EXAMPLES_GRADING_DIR
set -euo pipefail
grade=$1
examples=$2
out=$(mktemp -d)
trap 'chmod -R u+w "$out" 2>/dev/null; rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cd "$out"

mkdir -p class/alice class/mallory class/fifo class/$'\xd5\xc5\xc8\xfd' "class/new"$'\n'"line" class/$'\xff\xfe' tmp
right=$examples/program/right/prog.txt
cp "$right" class/alice/prog.txt
cp "$right" class/alice/micro.txt
cp "$right" class/$'\xd5\xc5\xc8\xfd'/prog.txt
cp "$right" "class/new"$'\n'"line/prog.txt"
cp "$right" class/$'\xff\xfe'/prog.txt
# mallory's files are links into alice's folder; the check saves over them.
ln -s ../alice/prog.txt class/mallory/prog.txt
ln -s ../alice/micro.txt class/mallory/micro.txt
mkfifo class/fifo/prog.txt
{ sed '/^expect/d' "$examples/program/check.orrin"
  echo 'save-micro micro.txt'
  echo 'save-memory prog.txt'
  echo 'export-trace trace.vcd'
  echo 'expect MEM[FF]=0F'; } >check.orrin
fingerprint() { (cd class && find . -print0 | sort -z | xargs -0 stat -c '%n %F %s %Y' && find . -type f -print0 | sort -z | xargs -0 md5sum); }
before=$(fingerprint)

status=0
TMPDIR=$out/tmp timeout 60 "$grade" -j 3 --timeout 20 --csv grades.csv --junit grades.xml --gradebook book.csv check.orrin class/*/ \
  >grade.log 2>&1 || status=$?
[[ $status -eq 1 ]] || { cat grade.log; fail "status $status, expected 1"; }
[[ "$(fingerprint)" == "$before" ]] || fail "a submission folder changed"
[[ -z "$(ls -A tmp)" ]] || fail "the scratch folder was left behind: $(ls -A tmp)"
grep -q '^class/mallory/,failed,0,1,"`prog.txt` is a link, not a file",0/1$' grades.csv || { cat grades.csv; fail "mallory's link"; }
grep -q '^class/fifo/,failed,0,1,"`prog.txt` is a FIFO, not a file",0/1$' grades.csv || fail "the FIFO"
grep -q '^class/alice/,passed,1,0,,1/1$' grades.csv || fail "alice"
grep -q '^class/\\xD5\\xC5\\xC8\\xFD/,passed,1,0,,1/1$' grades.csv || fail "the GBK name"
grep -q '^class/new\\x0Aline/: passed' grade.log || fail "the terminal shows a name with a line end on one line"

# Every report parses: the CSV has a row per submission, the JUnit XML is
# well-formed and keeps the file reason beside the failed expectation.
python3 - grades.csv grades.xml <<'PY'
import csv, sys, xml.dom.minidom
rows = list(csv.reader(open(sys.argv[1], newline="", encoding="utf-8")))
assert len(rows) == 7 and all(len(r) == 6 for r in rows), rows
doc = xml.dom.minidom.parse(sys.argv[2])
suites = doc.getElementsByTagName("testsuite")
assert len(suites) == 6, len(suites)
mallory = [s for s in suites if s.getAttribute("name") == "mallory"][0]
messages = [f.getAttribute("message") for f in mallory.getElementsByTagName("failure")]
assert "`prog.txt` is a link, not a file" in messages, messages
assert any(m.startswith("line ") for m in messages), messages
PY

# The gradebook: UTF-8, the GBK name read as GBK (张三), a line end and bytes
# neither reads escaped, one row each.
python3 - book.csv <<'PY'
import csv, sys
rows = list(csv.reader(open(sys.argv[1], newline="", encoding="utf-8")))
assert rows[0] == ["identifier", "points", "maximum", "status"], rows[0]
book = {r[0]: r[1:] for r in rows[1:]}
assert len(book) == 6, rows
assert book["张三"] == ["1", "1", "passed"], book
assert book["alice"] == ["1", "1", "passed"], book
assert book["mallory"] == ["0", "1", "failed"], book
assert "new\\x0Aline" in book and "\\xFF\\xFE" in book, book
PY

# A check with nothing to expect would pass everyone: refused.
printf 'power\nrun\n' >empty.orrin
status=0
TMPDIR=$out/tmp "$grade" empty.orrin class/alice >empty.log 2>&1 || status=$?
[[ $status -eq 2 ]] && grep -q '^orrin-grade: the check has no expectations$' empty.log || fail "empty check: $status"

# No room for a scratch folder: a clear error, and nothing else is touched.
touch sentinel notadir
status=0
TMPDIR=$out/notadir "$grade" check.orrin class/alice >scratch.log 2>&1 || status=$?
[[ $status -eq 2 ]] && grep -q '^orrin-grade: cannot make a scratch folder in ' scratch.log || fail "no scratch: $status"
[[ -e sentinel && -d class/alice ]] || fail "something was removed"

# Killed mid-run: every child ends and the scratch folder goes.
mkdir -p slow/a slow/b
printf 'power\nqd\nrun 1000000000\nexpect R0=00\n' >slow.orrin
TMPDIR=$out/tmp "$grade" -j 2 --timeout 600 slow.orrin slow/a slow/b >slow.log 2>&1 &
grader=$!
for _ in $(seq 100); do
  children=$(pgrep -P "$grader" || true)
  [[ $(wc -w <<<"$children") -eq 2 ]] && break
  sleep 0.1
done
[[ $(wc -w <<<"$children") -eq 2 ]] || fail "the grader did not start its children"
kill -TERM "$grader"
status=0
wait "$grader" || status=$?
[[ $status -eq 143 ]] || fail "the grader ended with $status, not by SIGTERM"
for child in $children; do
  for _ in $(seq 50); do kill -0 "$child" 2>/dev/null || break; sleep 0.1; done
  ! kill -0 "$child" 2>/dev/null || fail "child $child outlived the grader"
done
[[ -z "$(ls -A tmp)" ]] || fail "the scratch folder was left behind after SIGTERM"
echo "hostile grading: all checks passed"
