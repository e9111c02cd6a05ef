#!/usr/bin/env bash
# orrin-grade --lab against what a class and a careless teacher bring: a
# session that writes into another student's folder or out of its copy, work
# done before an endless run or a bad line, forbidden shortcuts and wrong
# answers, and labs that cannot be done (a set-up file missing, a set-up that
# never ends, a check that can never hold), which are refused before any
# submission runs.
#   grade_lab.sh ORRIN_GRADE ORRIN_RUN EXAMPLES_DIR
set -euo pipefail
grade=$1
run=$2
examples=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cd "$out"

mkdir -p labs class/{done_then_loop,done_then_bad,writer,victim,shortcut,guesser} tmp
cp "$examples/labs/alu.lab" labs/alu.lab
cp -r "$examples/wiring" wiring
finished=$examples/grading/lab/finished/session.orrin
{ cat "$finished"; echo "mode microprogram"; echo "qd"; echo "run 1000000000"; } >class/done_then_loop/session.orrin
{ cat "$finished"; echo "frobnicate"; } >class/done_then_bad/session.orrin
cp "$finished" class/victim/session.orrin
{ cat "$finished"; echo "save-memory ../victim/session.orrin"; echo "save-wires ../../../escaped.txt";
  echo "export-trace $out/escaped.csv"; } >class/writer/session.orrin
# The lab forbids typing into the fields: R0 typed in is no step done.
sed 's/^setup: mode independent$/setup: mode independent\nforbid: edit/' labs/alu.lab >labs/strict.lab
{ echo "power"; echo "sd 0"; echo "sd 2"; echo "sd 4"; echo "sd 5"; echo "edit R0 35"; } >class/shortcut/session.orrin
before=$(cd class/victim && md5sum session.orrin)

status=0
TMPDIR=$out/tmp "$grade" --lab labs/alu.lab --timeout 5 --csv lab.csv --junit lab.xml \
  class/done_then_loop class/done_then_bad class/writer class/victim >grade.log 2>&1 || status=$?
[[ $status -eq 1 ]] || { cat grade.log; fail "status $status, expected 1"; }
[[ "$(cd class/victim && md5sum session.orrin)" == "$before" ]] || fail "a session wrote into another folder"
# The copy is $out/tmp/orrin-grade.*/copy.N: ../../../ is $out itself.
[[ ! -e escaped.txt && ! -e escaped.csv ]] || fail "a session wrote outside its copy"
grep -q '^class/done_then_loop,timeout,5,0,ran past its time limit (5 of 5 steps done),0,5/5$' lab.csv ||
  { cat lab.csv; fail "the steps before an endless run"; }
grep -q "^class/done_then_bad,error,5,0,line [0-9]*: unknown command 'frobnicate' (5 of 5 steps done),0,5/5$" lab.csv ||
  { cat lab.csv; fail "the steps before a bad line"; }
grep -q '^class/writer,passed,5,0,,0,5/5$' lab.csv || { cat lab.csv; fail "the writer's own work"; }
grep -q '^class/victim,passed,5,0,,0,5/5$' lab.csv || { cat lab.csv; fail "the victim"; }
python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' lab.xml || fail "the JUnit does not parse"
grep -q '<testsuite name="done_then_loop" tests="5" failures="0" errors="0">' lab.xml ||
  { cat lab.xml; fail "done steps of a timeout are not passing cases"; }

# A script on standard input is the current folder's: nothing outside it either.
mkdir -p stdin_student
(cd stdin_student && printf 'power\nsave-memory ../from_stdin.txt\n' | "$run" --lab ../labs/alu.lab >../stdin.out 2>&1) || true
[[ ! -e from_stdin.txt ]] || fail "a script on standard input wrote outside its folder"
grep -q "line 2: refused: \`../from_stdin.txt\` leaves the session's folder" stdin.out || { cat stdin.out; fail "stdin refusal"; }

# A forbidden shortcut is named with its line.
status=0
"$grade" --lab labs/strict.lab --csv strict.csv class/shortcut >strict.log 2>&1 || status=$?
[[ $status -eq 1 ]] || { cat strict.log; fail "strict: status $status"; }
grep -q '^class/shortcut,failed,2,3,step 3 was reached after `edit R0` at line 6,0,2/5$' strict.csv ||
  { cat strict.csv; fail "the shortcut is not named"; }

# Wrong answers are counted: stuck_jack.lab asks which jack is stuck.
cp "$examples/labs/stuck_jack.lab" labs/
answer=$(grep -n '^check: choice=' labs/stuck_jack.lab | head -1 | sed 's/.*choice=//')
wrong=$((answer == 1 ? 2 : 1))
{ sed "s/^choose $answer\$/choose $wrong\nchoose $answer/" "$examples/labs/stuck_jack.solution.orrin"; } \
  >class/guesser/session.orrin
"$grade" --lab labs/stuck_jack.lab --csv guess.csv class/guesser >guess.log 2>&1 || { cat guess.log; fail "guesser"; }
grep -q '^class/guesser,passed,[0-9]*,0,,1,3/3$' guess.csv || { cat guess.csv; fail "the wrong answer is not counted"; }

# Labs that cannot be done are refused before any submission runs: status 2, every error.
printf 'setup: load-wires ../wiring/nothing.txt\n' >missing.part
sed '/^setup: load-wires/r missing.part' labs/alu.lab >labs/missing.lab
sed 's/^check: R0=35$/check: R0=35 MEM[21]=3c\ncheck: step=6/' labs/alu.lab >labs/never.lab
sed 's/^setup: mode independent$/setup: mode microprogram\nsetup: power\nsetup: qd\nsetup: run 1000000000/' \
  labs/alu.lab >labs/endless.lab
sed 's/^setup: mode independent$/setup: save-memory ..\/x.txt/' labs/alu.lab >labs/writes.lab
for lab in missing never endless writes; do
  status=0
  start=$SECONDS
  TMPDIR=$out/tmp "$grade" --lab labs/$lab.lab --timeout 2 --csv $lab.csv class/victim >$lab.log 2>&1 || status=$?
  [[ $status -eq 2 ]] || { cat $lab.log; fail "$lab: status $status, expected 2"; }
  [[ ! -e $lab.csv ]] || fail "$lab: a submission was graded"
  [[ $((SECONDS - start)) -lt 30 ]] || fail "$lab: took too long"
  if [[ $lab != endless ]]; then
    status=0
    "$run" --lab labs/$lab.lab /dev/null >/dev/null 2>&1 || status=$?
    [[ $status -eq 2 ]] || fail "$lab: orrin-run took it (status $status)"
  fi
done
grep -q 'labs/missing.lab:9: the set-up cannot use its file: 无法读取文件' missing.log || { cat missing.log; fail "missing"; }
grep -qx 'orrin-grade: ' missing.log && { cat missing.log; fail "an empty message line"; }
grep -q "check MEM\[21\]=3c can never hold: MEM\[21\] shows two upper-case hex digits" never.log || { cat never.log; fail never; }
grep -q "check step=6 can never hold" never.log || { cat never.log; fail "never: every error"; }
grep -q 'the set-up did not finish within 2 s' endless.log || { cat endless.log; fail endless; }
grep -q "a set-up only loads files; 'save-memory' would write one" writes.log || { cat writes.log; fail writes; }
[[ -z "$(ls -A tmp)" ]] || fail "the scratch folder was left behind"

# Hostile lab files: a FIFO, a huge file, binary garbage with ESC, a name
# that is not UTF-8. Each is refused at once with status 2, and nothing of
# it reaches the terminal raw.
mkfifo labs/fifo.lab
head -c 300000 /dev/zero | tr '\0' '#' >labs/huge.lab
printf 'title: \033[2J\x01\xff\nstep 1: a\nzzz\033]0;owned\007\n' >labs/garbage.lab
cp labs/garbage.lab labs/$'\xd5\xc5'.lab
for lab in fifo huge garbage $'\xd5\xc5'; do
  status=0
  timeout 10 "$run" --lab "labs/$lab.lab" /dev/null >hostile.out 2>hostile.err </dev/null || status=$?
  [[ $status -eq 2 ]] || fail "lab $lab: status $status, expected 2"
  LC_ALL=C grep -q $'[\x01-\x08\x0b-\x1f\x7f]' hostile.err hostile.out && fail "lab $lab: a control character reached the terminal"
  python3 -c 'import sys; open(sys.argv[1], encoding="utf-8").read()' hostile.err || fail "lab $lab: not UTF-8"
  status=0
  timeout 10 "$grade" --lab "labs/$lab.lab" class/victim >hostile.out 2>hostile.err || status=$?
  [[ $status -eq 2 ]] || fail "grade, lab $lab: status $status, expected 2"
  LC_ALL=C grep -q $'[\x01-\x08\x0b-\x1f\x7f]' hostile.err && fail "grade, lab $lab: a control character reached the terminal"
done
grep -q 'cannot read the lab file' <("$run" --lab labs/fifo.lab /dev/null 2>&1 </dev/null) || fail "the FIFO lab's message"
grep -q 'the lab file is too large' <("$run" --lab labs/huge.lab /dev/null 2>&1) || fail "the huge lab's message"
echo "grade.lab: all passed"
